#include "platform/untouched_read.h"

#include <windows.h>

#include "platform/handle.h"
#include "platform/wide_path.h"

namespace platform {

std::optional<std::string> ReadFileUntouched(const std::string& path, size_t maxBytes) {
    const std::wstring wide = WidePath(path);
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    UniqueHandle file(::CreateFileW(wide.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    const bool mayRestore = file.Valid();
    if (!file) {
        file.Reset(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    }
    if (!file) return std::nullopt;
    FILE_BASIC_INFO before{};
    const bool known = ::GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &before, sizeof before) != 0;
    if (mayRestore) {
        // Windows leaves the access time alone for reads through a handle
        // told so; other platforms get the time back after the read below.
        FILETIME keep{0xFFFFFFFF, 0xFFFFFFFF};
        ::SetFileTime(file.Get(), nullptr, &keep, nullptr);
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 || static_cast<uint64_t>(size.QuadPart) > maxBytes) {
        return std::nullopt;
    }
    std::string content(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    const bool whole = content.empty() || (::ReadFile(file.Get(), content.data(), static_cast<DWORD>(content.size()),
                                                      &read, nullptr) &&
                                           read == content.size());
    if (mayRestore && known) {
        FILE_BASIC_INFO access{};  // zero leaves every other time and the attributes as they are
        access.LastAccessTime = before.LastAccessTime;
        ::SetFileInformationByHandle(file.Get(), FileBasicInfo, &access, sizeof access);
    }
    if (!whole) return std::nullopt;
    return content;
}

}  // namespace platform

#include "platform/file_query.h"

#include <shlwapi.h>

#include <algorithm>

#include "platform/codepage.h"
#include "platform/growing_buffer.h"
#include "platform/handle.h"
#include "platform/wide_path.h"

namespace platform {

DWORD AttributesOf(std::string_view path) { return ::GetFileAttributesW(WidePath(path).c_str()); }

std::optional<uint64_t> ReadableSize(std::string_view path) {
    UniqueHandle file(::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size)) return std::nullopt;
    return static_cast<uint64_t>(size.QuadPart);
}

std::string ReadTail(std::string_view path, size_t maxBytes) {
    UniqueHandle file(::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size)) return {};
    const LONGLONG start = std::max<LONGLONG>(0, size.QuadPart - static_cast<LONGLONG>(maxBytes));
    LARGE_INTEGER at{};
    at.QuadPart = start;
    if (!::SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN)) return {};
    std::string tail(static_cast<size_t>(size.QuadPart - start), '\0');
    DWORD read = 0;
    if (!tail.empty() && !::ReadFile(file.Get(), tail.data(), static_cast<DWORD>(tail.size()), &read, nullptr)) {
        return {};
    }
    tail.resize(read);
    return tail;
}

WholeFile ReadWholeFile(std::string_view path, uint64_t maxBytes) {
    WholeFile whole;
    UniqueHandle file(::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) whole.outcome = WholeFile::Outcome::Missing;
        return whole;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return whole;
    if (static_cast<uint64_t>(size.QuadPart) > maxBytes) {
        whole.outcome = WholeFile::Outcome::TooLarge;
        return whole;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        return whole;
    }
    whole.outcome = WholeFile::Outcome::Read;
    whole.bytes = std::move(bytes);
    return whole;
}

ComPtr<IStream> OpenReadStream(std::string_view path) {
    ComPtr<IStream> stream;
    if (FAILED(::SHCreateStreamOnFileW(WidePath(path).c_str(), STGM_READ | STGM_SHARE_DENY_NONE, stream.Put()))) {
        return ComPtr<IStream>();
    }
    return stream;
}

UniqueHandle OpenForQuery(std::string_view path) {
    return UniqueHandle(::CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

std::optional<FileId> FolderIdOf(std::string_view path) {
    const UniqueHandle handle = OpenForQuery(path);
    FILE_BASIC_INFO basic{};
    if (!handle || !::GetFileInformationByHandleEx(handle.Get(), FileBasicInfo, &basic, sizeof basic) ||
        !(basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return IdOf(handle.Get());
}

std::string FullPathName(std::string_view path) {
    // Plain text work on the path: the system takes any length here without
    // the long form, and the long form would hide the device names it reads.
    const std::wstring wide = ToWide(path);
    return ToNarrow(GrowingBuffer(
        [&](wchar_t* out, DWORD size) { return ::GetFullPathNameW(wide.c_str(), size, out, nullptr); }));
}

std::string LongPathName(std::string_view path) {
    // The long form only where the path needs it: some platforms hand a
    // prefixed path back as it came, without looking at the file system.
    const std::wstring wide = ExceedsShortPathLimit(path) ? WidePath(path) : ShellPath(path);
    return ToNarrow(WithoutLongPrefix(
        GrowingBuffer([&](wchar_t* out, DWORD size) { return ::GetLongPathNameW(wide.c_str(), out, size); })));
}

}  // namespace platform

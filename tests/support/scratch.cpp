#include "support/scratch.h"

#include <shlobj.h>

#include <atomic>
#include <optional>
#include <stdexcept>

#include "paths/module_paths.h"
#include "platform/codepage.h"
#include "platform/com.h"
#include "platform/handle.h"
#include "text/language_table.h"

namespace testsupport {

std::string NewScratchFolder(std::string_view hint, char drive) {
    static std::atomic<int> counter{0};
    std::string path = std::string(1, drive) + ":\\" + std::string(hint) + "-" + std::to_string(++counter);
    MakeFolders(path);
    return path;
}

void MakeFolders(const std::string& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') ::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

void WriteFile(const std::string& path, std::string_view content) {
    platform::UniqueHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

std::string ReadFile(const std::string& path) {
    platform::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string content;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    return content;
}

bool FileExists(const std::string& path) {
    DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

FILETIME DaysAgo(double days) {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{};
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart -= static_cast<ULONGLONG>(days * 864000000000.0);
    return FILETIME{t.LowPart, t.HighPart};
}

std::wstring LongForm(const std::wstring& path) { return path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path; }
std::wstring LongForm(const std::string& path) { return LongForm(platform::ToWide(path)); }

void SetAccessTime(HANDLE file, double days, const std::string& what) {
    FILETIME accessed = DaysAgo(days);
    if (file == INVALID_HANDLE_VALUE || !::SetFileTime(file, nullptr, &accessed, nullptr)) {
        if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
        throw std::runtime_error("cannot set access time of " + what);
    }
    ::CloseHandle(file);
}

}  // namespace

void SetAccessedDaysAgo(const std::string& path, double days) {
    SetAccessTime(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr),
                  days, path);
}

std::wstring Utf8ToWide(std::string_view utf8) {
    std::wstring wide(utf8.size(), L'\0');
    int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                                  static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return wide;
}

std::wstring WidePath(const std::string& folder, std::string_view utf8Name) {
    return platform::ToWide(folder) + L"\\" + Utf8ToWide(utf8Name);
}

void WriteFileW(const std::wstring& path, std::string_view content) {
    platform::UniqueHandle file(::CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot write a file by its wide name");
    DWORD written = 0;
    ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

std::optional<std::string> ReadFileW(const std::wstring& path) {
    platform::UniqueHandle file(::CreateFileW(LongForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    return content;
}

void MakeFolderW(const std::wstring& path) { ::CreateDirectoryW(LongForm(path).c_str(), nullptr); }

void SetAccessedDaysAgoW(const std::wstring& path, double days) {
    SetAccessTime(::CreateFileW(LongForm(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr),
                  days, "a file named in wide characters");
}

void SetAttributesW(const std::wstring& path, DWORD attributes) {
    ::SetFileAttributesW(LongForm(path).c_str(), attributes);
}

void WriteShortcut(const std::string& path, const std::string& target) {
    platform::ComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid()))) {
        throw std::runtime_error("no shell link object");
    }
    link->SetPath(target.c_str());
    auto file = link.As<IPersistFile>(IID_IPersistFile);
    if (!file || FAILED(file->Save(platform::ToWide(path).c_str(), TRUE))) {
        throw std::runtime_error("cannot save shortcut " + path);
    }
}

void MakeFoldersLong(const std::string& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') ::CreateDirectoryW(LongForm(path.substr(0, i)).c_str(), nullptr);
    }
}

void WriteFileLong(const std::string& path, std::string_view content) {
    platform::UniqueHandle file(::CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

std::string TestProgramFolder() {
    char buffer[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer);
    return path.substr(0, path.find_last_of('\\'));
}

ProgramPlace::ProgramPlace(std::string_view hint, char drive) : ProgramPlace(At{NewScratchFolder(hint, drive)}) {}

ProgramPlace::ProgramPlace(At place) : folder_(std::move(place.folder)) {
    paths::OverrideModulePath(folder_ + "\\JunkSweep.exe");
    text::LanguageTable::Instance().SetFilePath(LanguagePath());
}

ProgramPlace::~ProgramPlace() {
    paths::OverrideModulePath("");
    text::LanguageTable::Instance().SetFilePath("");
}

void ProgramPlace::CopyShipped(const std::string& name) const {
    std::string from = TestProgramFolder() + "\\" + name;
    if (!::CopyFileA(from.c_str(), (folder_ + "\\" + name).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + from);
    }
}

void ProgramPlace::CopyShippedLanguages() const {
    const std::string from = TestProgramFolder() + "\\Languages";
    MakeFolders(folder_ + "\\Languages");
    WIN32_FIND_DATAA entry{};
    HANDLE find = ::FindFirstFileA((from + "\\*.lng").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) throw std::runtime_error("no translations in " + from);
    do {
        std::string name = entry.cFileName;
        if (!::CopyFileA((from + "\\" + name).c_str(), (folder_ + "\\Languages\\" + name).c_str(), FALSE)) {
            ::FindClose(find);
            throw std::runtime_error("cannot copy " + name);
        }
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
}

}  // namespace testsupport

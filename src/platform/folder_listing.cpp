#include "platform/folder_listing.h"

#include <cstring>
#include <string>

#include "platform/codepage.h"
#include "platform/wide_path.h"

namespace platform {

namespace {

bool IsDotName(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Copies text with its terminating zero into a fixed narrow field; empty
// when it does not fit.
template <size_t N>
void CopyInto(char (&field)[N], const std::string& text) {
    if (text.size() >= N) {
        field[0] = '\0';
        return;
    }
    std::memcpy(field, text.c_str(), text.size() + 1);
}

}  // namespace

bool IsPlainEntryName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    // Names made on other systems may hold control characters, which no
    // path function takes: a path with one names no file at all.
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) return false;
    }
    return name.back() != '.' && name.back() != ' ';
}

FolderListing::FolderListing(std::string_view folder) {
    std::string pattern(folder);
    pattern += "\\*";
    find_.Reset(::FindFirstFileW(WidePath(pattern).c_str(), &wide_));
    fetched_ = find_.Valid();
}

bool FolderListing::Next() {
    for (;;) {
        if (!fetched_) {
            if (!find_ || !::FindNextFileW(find_.Get(), &wide_)) return false;
        }
        fetched_ = false;
        if (IsDotName(wide_.cFileName)) continue;
        addressable_ = Convert();
        return true;
    }
}

bool FolderListing::Convert() {
    entry_.dwFileAttributes = wide_.dwFileAttributes;
    entry_.ftCreationTime = wide_.ftCreationTime;
    entry_.ftLastAccessTime = wide_.ftLastAccessTime;
    entry_.ftLastWriteTime = wide_.ftLastWriteTime;
    entry_.nFileSizeHigh = wide_.nFileSizeHigh;
    entry_.nFileSizeLow = wide_.nFileSizeLow;
    entry_.dwReserved0 = wide_.dwReserved0;
    entry_.dwReserved1 = wide_.dwReserved1;
    entry_.cAlternateFileName[0] = '\0';
    if (!ToNarrowExact(wide_.cFileName, name_)) {
        name_.clear();
        entry_.cFileName[0] = '\0';
        return false;
    }
    CopyInto(entry_.cFileName, name_);
    static thread_local std::string alternate;
    if (wide_.cAlternateFileName[0] != L'\0' && ToNarrowExact(wide_.cAlternateFileName, alternate)) {
        CopyInto(entry_.cAlternateFileName, alternate);
    }
    if (IsPlainEntryName(name_)) return true;
    name_.clear();
    return false;
}

}  // namespace platform

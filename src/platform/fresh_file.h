#pragma once
// Writing a file whole before it takes its place. The content goes into a
// new file under a temporary name in the folder of its place; only once it
// is complete is it given its name, in one step. Until then the system
// deletes it when its handle closes, so that a failure, a full disk or a
// program killed half way leaves nothing behind, and never a partial file
// where a whole one is expected. An existing file is replaced only when it
// is still exactly the file that was checked; otherwise the name must be
// free.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_identity.h"
#include "platform/guarded_folder.h"
#include "platform/handle.h"

namespace platform {

class FreshFile {
public:
    // Makes the temporary file in the folder; Valid() tells whether it could.
    explicit FreshFile(const GuardedFolder& folder);
    ~FreshFile() = default;  // a file not put in place goes with its handle
    FreshFile(const FreshFile&) = delete;
    FreshFile& operator=(const FreshFile&) = delete;

    bool Valid() const { return file_.Valid(); }
    DWORD Error() const { return error_; }
    HANDLE Get() const { return file_.Get(); }

    // Appends the bytes; false (with Error) when not all could be written.
    bool Write(std::string_view bytes);
    // Appends the whole content of source (opened for reading, at its
    // start), which must come to size bytes; the copy gets source's
    // last-write time and its read-only, hidden, system and archive
    // attributes when it is put in place.
    bool CopyFrom(HANDLE source, uint64_t size);

    // Names the file name in the folder. With replacing, the entry of that
    // name must be the file of that identity, reached by its own name
    // (exactly, case included) and no link: it is replaced. Without, the
    // name must be free (ERROR_ALREADY_EXISTS otherwise). durable flushes the
    // content to the disk first. On failure the fresh file goes.
    DWORD PutInPlace(std::wstring_view name, const std::optional<FileId>& replacing = std::nullopt,
                     bool durable = false);

private:
    bool Fail(DWORD error);

    const GuardedFolder& folder_;
    UniqueHandle file_;
    DWORD error_ = ERROR_SUCCESS;
    DWORD attributes_ = 0;        // given once in place
    std::optional<LARGE_INTEGER> lastWrite_;
};

// The file of that name in the folder, when it is a plain file reached by
// its own name: its identity and attributes. In a folder that tells names
// apart by case, a file whose name differs only in case is another file,
// and does not count. None when there is no such entry; error tells
// ERROR_FILE_NOT_FOUND from a link, a folder, a name twin or another
// failure.
struct CheckedEntry {
    FileId id;
    DWORD attributes = 0;
};
std::optional<CheckedEntry> CheckEntry(const GuardedFolder& folder, std::wstring_view name, DWORD& error);

// Writes bytes as the new file name of the folder (never replacing).
DWORD WriteNewFile(const GuardedFolder& folder, std::wstring_view name, std::string_view bytes);

// Replaces the file name of the folder, which must still be the file with
// the identity given, by bytes, keeping its attributes; flushed to the
// disk. The old file stays whole when anything fails.
DWORD ReplaceWholeFile(const GuardedFolder& folder, std::wstring_view name, std::string_view bytes,
                       const FileId& checked);

// The last component of a path, as the wide name of an entry.
std::wstring EntryName(std::string_view path);

}  // namespace platform

#pragma once
// A file held open without following links, so that what is checked of it
// is what is then copied, wiped or deleted.
//
// A symbolic link to a file is a trap for a cleaner: on some platforms the
// listing shows it as a plain file, and a delete by path removes the file it
// points to, wherever that is. Opened here, a link shows either as a reparse
// point (Windows opens the link itself) or by a final path that is not the
// one it was opened by (platforms that follow the link regardless).
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/handle.h"

namespace platform {

// What a listing said of a file, and what the file must still show to be
// taken for the one listed.
struct FileStamp {
    uint64_t size = 0;
    uint64_t lastWrite = 0;  // 100 ns ticks, UTC
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const WIN32_FIND_DATAA& entry);
FileStamp StampOf(const WIN32_FILE_ATTRIBUTE_DATA& data);

// The final path of the folder a file sits in, remembered for the next file
// of the same folder: files to check come folder by folder.
class FolderFinalPaths {
public:
    // Empty when the folder cannot be opened.
    const std::wstring& Of(const std::string& folder);

private:
    std::string folder_;
    std::wstring finalPath_;
};

enum class HeldState {
    Plain,     // a plain file, reached by its own name
    Missing,   // nothing at the path (or its folder is gone)
    InUse,     // another program holds it without sharing
    Denied,    // access denied
    Failed,    // could not be opened for another reason
    Folder,    // a folder stands at the path
    Link,      // a junction or symbolic link, or reached through one
    Changed,   // size or last-write time differ from the listing's
};

class HeldFile {
public:
    // What the file is held for. Deletion also allows attribute changes;
    // writing does not ask for delete access, so that a file another
    // program holds without delete sharing can still be overwritten.
    static constexpr DWORD kForDeletion = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;
    static constexpr DWORD kForAttributes = FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;
    static constexpr DWORD kForWriting = GENERIC_WRITE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
    // Reading its content.
    static constexpr DWORD kForReading = GENERIC_READ | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
    // Reading its content, and deleting it afterwards (a move).
    static constexpr DWORD kForCopying = GENERIC_READ | DELETE | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;

    // Opens the file without following a link, sharing it with everybody.
    explicit HeldFile(const std::string& path, DWORD access = kForDeletion);

    // Checks what was opened; expected, when given, is the listing's stamp.
    HeldState Check(FolderFinalPaths& folders, const std::optional<FileStamp>& expected);
    // The same without asking where the file is: a link the platform opens
    // through to its target passes. For reading a file whose disposal is
    // checked in full later.
    HeldState CheckStamp(const std::optional<FileStamp>& expected);
    HeldState OpenState() const { return openState_; }

    HANDLE Get() const { return file_.Get(); }
    // Size and attributes as the last Check read them.
    uint64_t Size() const { return size_; }
    DWORD Attributes() const { return attributes_; }

    // Sets the attributes through the handle (held for deletion or for
    // attributes).
    bool SetAttributes(DWORD attributes);

    // Deletes the file through the handle (held for deletion) after Check; a read-only, hidden or system
    // file is made normal first, and gets its attributes back when it still
    // cannot be deleted. The file is gone once the handle closes.
    bool Delete();
    // Closes the handle now (a delete takes effect here).
    void Close() { file_.Reset(); }

private:
    bool DeleteByName();
    HeldState ReadInfo(LONGLONG& lastWrite);

    std::string path_;
    UniqueHandle file_;
    HeldState openState_ = HeldState::Failed;
    uint64_t size_ = 0;
    DWORD attributes_ = 0;
};

// The state a failed open or delete stands for.
HeldState StateOfError(DWORD error);

}  // namespace platform

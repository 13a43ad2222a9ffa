#pragma once
// The log of every clean: one UTF-8 text file per clean, in
// Data\ToolJunkSweep\Logs\ beside the program, named like the clean's backup
// set ("2006-12-07_14-05-09.log"). One tab-separated line per file (path,
// size in bytes, action, result, reason, why the scan found it), one per
// switched-on trace cleaner, and a summary line at the end. Its words are
// fixed English tokens, never translated: scheduled tasks and management
// tools read it. A clean opens its log before it disposes of anything, with
// a summary line that says it has not ended ("status=running"), and writes
// the whole log in its place when it ends; a clean whose log cannot be
// opened does not begin. A preview writes its log at the end, and nothing
// else.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "clean/clean_result.h"
#include "platform/file_identity.h"
#include "platform/guarded_folder.h"

namespace clean {

inline constexpr size_t kLogsKept = 100;

// ModuleDirectory + "\Data\ToolJunkSweep\Logs\" (with the trailing backslash).
std::string LogRoot();

// The log of the clean whose backup set (or log) has the given name.
std::string LogPathFor(std::string_view setName);

// True for a log's file name: "yyyy-mm-dd_hh-mm-ss.log" in digits.
bool IsLogFileName(std::string_view name);

// The log's whole text, in the narrow code page (lines end in CR LF).
std::string LogText(const CleanResult& result);

// The log of one clean, in UTF-8: under the set's name when the clean made a
// backup set, else under the name of the local time the clean started, or
// of the first later second whose name no log and no set has yet. Its folder
// is below the program's and no link; the log replaces nothing.
class CleanLog {
public:
    // Makes the log with the opening text of the clean about to run: its
    // summary, with status "running". False when the log cannot be written
    // (its folder cannot be made or written to, a file stands in its place):
    // the clean must not begin.
    bool Open(const CleanResult& planned, const std::optional<std::string>& setName, const SYSTEMTIME& started);
    bool IsOpen() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }

    // Puts the whole log of the clean in place of its opening text, then
    // keeps the last kLogsKept logs and those of the backup sets still
    // there. Returns the log's path; empty when the log could not be
    // completed (it then still says "running").
    std::string Complete(const CleanResult& result);

private:
    platform::GuardedFolder folder_;
    std::string path_;
    platform::FileId id_;
};

// Writes the whole log of a clean at once (a preview's at its end, which
// removes no other log). Returns its path; empty when it could not be
// written.
std::string WriteCleanLog(const CleanResult& result, const std::optional<std::string>& setName,
                          const SYSTEMTIME& started);

// Whether a clean or preview of this process could not write its log, which
// an unattended run's exit code tells.
void NoteLogNotWritten();
bool LogNotWritten();

}  // namespace clean

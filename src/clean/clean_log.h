#pragma once
// The log of every clean: one UTF-8 text file per clean, in
// Data\ToolJunkSweep\Logs\ beside the program, named like the clean's backup
// set ("2006-12-07_14-05-09.log"). One tab-separated line per file (path,
// size in bytes, action, result, reason, why the scan found it), one per
// switched-on trace cleaner, and a summary line at the end. Its words are
// fixed English tokens, never translated: scheduled tasks and management
// tools read it. The text is built in memory and written once, at the end.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "clean/clean_result.h"

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

// Writes the result's log in UTF-8: under the set's name when the clean made
// a backup set, else under the name of the local time the clean started, or
// of the first later second whose name no log and no set has yet. Then
// keeps only the last kLogsKept logs. Returns the log's path; empty when it
// could not be written.
std::string WriteCleanLog(const CleanResult& result, const std::optional<std::string>& setName,
                          const SYSTEMTIME& started);

// Removes the oldest logs in root (by name, which orders them by time) until
// at most keep are left; the log named spare stays whatever its name.
void PruneLogs(const std::string& root, size_t keep, std::string_view spare = {});

}  // namespace clean

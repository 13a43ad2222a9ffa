#pragma once
// The exit codes of a run that got past start-up (program_folder_check.h
// has the one of a start that did not).

namespace app {

// The wizard was closed, or an unattended run finished: its log tells what
// it did.
inline constexpr int kExitEnded = 2;
// A clean or preview of the run could not write its log: a clean that could
// not open it disposed of nothing; one that could not complete it left it
// saying "status=running".
inline constexpr int kExitLogNotWritten = 4;

}  // namespace app

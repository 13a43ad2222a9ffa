#pragma once
// Runs copies of the real JunkSweep.exe in the test bed and finds their
// windows, so that start-up is tested end to end.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/handle.h"

namespace apptest {

// JunkSweep.exe and its three files copied into a scratch folder, under
// another base name when given (the program names its files after itself).
class ProgramCopy {
public:
    // A folder of the caller's, which must exist.
    struct At {
        std::string folder;
    };

    explicit ProgramCopy(const char* hint = "app", const std::string& baseName = "JunkSweep");
    explicit ProgramCopy(At place, const std::string& baseName = "JunkSweep");
    // This copy as seen through another folder that shows the same files
    // (a read-only mount of its folder, say).
    ProgramCopy SeenFrom(const std::string& folder) const;
    const std::string& Folder() const { return folder_; }
    const std::string& BaseName() const { return baseName_; }
    std::string ProgramPath() const { return folder_ + "\\" + baseName_ + ".exe"; }
    std::string SettingsPath() const { return folder_ + "\\" + baseName_ + ".xml"; }
    std::string LanguagePath() const { return folder_ + "\\" + baseName_ + ".lng"; }

private:
    std::string folder_;
    std::string baseName_;
};

// Disables DLLs for every program of one file name while the object lives
// (Wine's per-program DLL overrides; the environment block of a child does
// not reach Wine's loader).
class DisabledDlls {
public:
    DisabledDlls(const std::string& programFileName, const std::vector<std::string>& dlls);
    ~DisabledDlls();
    DisabledDlls(const DisabledDlls&) = delete;
    DisabledDlls& operator=(const DisabledDlls&) = delete;

private:
    std::string key_;
};

// One started program.
class RunningProgram {
public:
    // Starts the copy with the arguments, its folder as current directory.
    RunningProgram(const ProgramCopy& copy, const std::string& arguments);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return process_.Valid(); }
    DWORD Id() const { return id_; }
    // Waits for the end; returns the exit code, or -1 after the timeout.
    long WaitForExit(DWORD milliseconds = 60000) const;
    bool Running() const;
    // The wizard window (hidden or not) once the program waits for input,
    // or null after the timeout.
    HWND WaitForWizard(DWORD milliseconds = 20000) const;
    // A message box of the program, or null after the timeout.
    HWND WaitForMessageBox(DWORD milliseconds = 20000) const;

private:
    platform::UniqueHandle process_;
    DWORD id_ = 0;
};

// The page host's page at index, and the wizard's current page.
HWND WizardPageOf(HWND wizard, int index);
HWND CurrentPageOf(HWND wizard);

// Whether the shell holds the wizard's tray icon.
bool TrayIconExists(HWND owner);

}  // namespace apptest

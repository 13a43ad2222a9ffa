#pragma once
// Files and folders for tests, always on the scratch drives of the test bed.
#include <windows.h>

#include <string>
#include <string_view>

namespace testsupport {

// A new, empty folder on the given scratch drive; the path has no trailing
// backslash. Names are unique within the test run.
std::string NewScratchFolder(std::string_view hint, char drive = 'd');

void MakeFolders(const std::string& path);
void WriteFile(const std::string& path, std::string_view content);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Sets the last access time to the given number of days before now.
void SetAccessedDaysAgo(const std::string& path, double days);
// The folder holding the test program (the build's bin folder, where the
// shipped settings and language files are copied).
std::string TestProgramFolder();

// Makes the program's own files (settings, language file, backup root) live
// in a scratch folder for the lifetime of the object.
class ProgramPlace {
public:
    explicit ProgramPlace(std::string_view hint = "program");
    ~ProgramPlace();
    ProgramPlace(const ProgramPlace&) = delete;
    ProgramPlace& operator=(const ProgramPlace&) = delete;

    const std::string& Folder() const { return folder_; }
    std::string SettingsPath() const { return folder_ + "\\JunkSweep.xml"; }
    std::string LanguagePath() const { return folder_ + "\\JunkSweep.lng"; }
    // Copies a shipped file ("JunkSweep.xml", ...) of the build beside the program.
    void CopyShipped(const std::string& name) const;
    void WriteSettings(std::string_view xml) const { WriteFile(SettingsPath(), xml); }

private:
    std::string folder_;
};

}  // namespace testsupport

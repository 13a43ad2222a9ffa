#pragma once
// Files and folders for tests, always on the scratch drives of the test bed.
//
// The scratch drives d: and e: are emptied before every test program. The
// test bed then lays fixtures that a program inside Wine cannot make itself
// (scripts/lib/testbed.sh, testbed_make_fixtures); tests only read them:
//   e:\fixtures\linkfarm\target\file.tmp      a file outside the tree
//   e:\fixtures\linkfarm\tree\real\kept.tmp   a file inside the tree
//   e:\fixtures\linkfarm\tree\link   symbolic link to ..\target
//   e:\fixtures\linkfarm\tree\loop   symbolic link to .. (a cycle)
//   e:\fixtures\readonly\locked\a.tmp         in a folder without write bits
//   e:\fixtures\sealed   the folder e:\fixtures\open, mounted read-only: no
//                         file can be made in it, not even as root; missing
//                         where the test bed may not mount
// Wine lists the two links as folders with the reparse-point attribute, and
// the folder "locked" as read-only.
#include <windows.h>

#include <optional>
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
// Writes a shell shortcut (.lnk) whose stored target is the given path.
// COM must be initialised on the calling thread.
void WriteShortcut(const std::string& path, const std::string& target);
// Folders and files whose paths may exceed the narrow functions' limit:
// made through the wide functions with the "\\?\" prefix.
void MakeFoldersLong(const std::string& path);
void WriteFileLong(const std::string& path, std::string_view content);

// Names the narrow code page may not spell, or that the narrow path functions
// trim (a trailing dot or blank), made and read through the wide functions.
// Names in the tests' sources are UTF-8.
std::wstring Utf8ToWide(std::string_view utf8);
std::wstring WidePath(const std::string& folder, std::string_view utf8Name);
void WriteFileW(const std::wstring& path, std::string_view content);
std::optional<std::string> ReadFileW(const std::wstring& path);  // none when missing
void MakeFolderW(const std::wstring& path);
void SetAccessedDaysAgoW(const std::wstring& path, double days);
void SetAttributesW(const std::wstring& path, DWORD attributes);

inline constexpr const char* kLinkFarm = "e:\\fixtures\\linkfarm";
// Links to files (listed as plain files on Wine):
//   filelinks\target\precious.tmp, target\precious.txt   the files pointed to
//   filelinks\junk\link.tmp      -> target\precious.tmp
//   filelinks\junk\precious.txt  -> target\precious.txt (the same name)
//   filelinks\temp\flink.tmp     -> target\precious.tmp, and temp\plain.tmp
//   filelinks\deep\<220 x d>\<60 x e>\link.tmp -> target\precious.tmp
inline constexpr const char* kFileLinkFarm = "e:\\fixtures\\filelinks";
// A backup root whose only set is a link:
//   agedsets\Backup\2001-01-01_00-00-00 -> agedsets\elsewhere (holds C\keep.txt)
inline constexpr const char* kAgedSetsFarm = "e:\\fixtures\\agedsets";
// Made on the host (scripts/lib/testbed.sh), each for one test to clean:
//   twins\backup, twins\recycle   "Twin.tmp" and "twin.tmp", and two names of
//       bytes that are not UTF-8, both listed as "a\uFFFD.tmp"
//   oddnames   names with control characters (and plain.tmp)
//   loglinks\victims   101 files named like logs, in a folder of the user's
//   loglinks\filelink, loglinks\folderlink   program folders whose oldest log
//       is a link to a victim, and whose logs folder is a link to the victims
//   restorelinks\work -> other, and other\a.tmp
inline constexpr const char* kFixtures = "e:\\fixtures";
// A drive with a little over 50 KB free (when the test bed may mount one).
inline constexpr const char* kFullDrive = "f:";
inline constexpr const char* kReadOnlyFarm = "e:\\fixtures\\readonly";
inline constexpr const char* kOpenFolder = "e:\\fixtures\\open";
inline constexpr const char* kSealedFolder = "e:\\fixtures\\sealed";

// The folder holding the test program (the build's bin folder, where the
// shipped settings and language files are copied).
std::string TestProgramFolder();

// Makes the program's own files (settings, language file, backup root) live
// in a scratch folder of the drive for the lifetime of the object.
class ProgramPlace {
public:
    // A folder of the caller's, which must exist (a fixture).
    struct At {
        std::string folder;
    };

    explicit ProgramPlace(std::string_view hint = "program", char drive = 'd');
    explicit ProgramPlace(At place);
    ~ProgramPlace();
    ProgramPlace(const ProgramPlace&) = delete;
    ProgramPlace& operator=(const ProgramPlace&) = delete;

    const std::string& Folder() const { return folder_; }
    std::string SettingsPath() const { return folder_ + "\\JunkSweep.xml"; }
    std::string LanguagePath() const { return folder_ + "\\JunkSweep.lng"; }
    // Copies a shipped file ("JunkSweep.xml", ...) of the build beside the program.
    void CopyShipped(const std::string& name) const;
    // Copies the shipped translations into the folder Languages beside it.
    void CopyShippedLanguages() const;
    void WriteSettings(std::string_view xml) const { WriteFile(SettingsPath(), xml); }

private:
    std::string folder_;
};

}  // namespace testsupport

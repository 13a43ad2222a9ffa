#pragma once
// The shell's small icons of the report's files, added to the list's image
// list once per thing that decides them. For most files that is the type
// (the lower-cased extension): the first file of a type is asked for and the
// answer serves every file of that type. Files whose icon comes from the file
// itself (programs, shortcuts, icon files and any type whose registered icon
// is "%1" or made by an icon handler) are asked for one by one, and only when
// their row is first shown: each such question costs milliseconds. Types the
// system does not know all look alike and share one question.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace pages {

class ReportIcons {
public:
    // The image list the icons go into; not owned.
    void Attach(HIMAGELIST images) { images_ = images; }

    // The image index of the file's icon when its type decides it;
    // I_IMAGECALLBACK when the file's own icon must be asked for when the row
    // is shown (FileIcon); I_IMAGENONE when the shell has none.
    int IndexFor(const std::string& path, std::string_view fileName);
    // The file's own icon, asked of the shell now; its type's icon when the
    // shell has none for the file (a program or shortcut that is gone).
    int FileIcon(const std::string& path, std::string_view fileName);

    // The number of icons asked of the shell so far.
    size_t ShellQueries() const { return shellQueries_; }

    // The lower-cased extension of a file name, without the dot; empty when
    // the name has none.
    static std::string TypeKey(std::string_view fileName);
    // True when files of the type can each have their own icon.
    bool IconComesFromFile(const std::string& typeKey);

private:
    enum class TypeKind : uint8_t { Registered, PerFile, Unknown };
    TypeKind KindOf(const std::string& typeKey);
    int AddIcon(HICON icon);
    // The icon of the type, asked once: of the file at path when it is
    // given, else (or when that fails) of the bare name.
    int TypeIcon(const std::string& cacheKey, const std::string* path, std::string_view fileName);

    HIMAGELIST images_ = nullptr;
    std::unordered_map<std::string, int> typeIcons_;
    std::unordered_map<std::string, TypeKind> typeKinds_;
    size_t shellQueries_ = 0;
};

}  // namespace pages

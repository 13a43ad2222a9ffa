#include "pages/report_icons.h"

#include <algorithm>
#include <array>

#include "platform/codepage.h"
#include "platform/registry.h"
#include "ui/shell_actions.h"

namespace pages {

namespace {

// Types whose icon is taken from each file.
constexpr std::array<std::string_view, 12> kPerFileTypes = {
    "exe", "lnk", "ico", "cur", "ani", "scr", "cpl", "url", "pif", "msi", "icl", "appref-ms",
};

// The default value of a key below the classes root when it is text; empty
// when there is none.
std::string RegistryDefault(const std::string& subKey) {
    return platform::RegistryKey::Open(HKEY_CLASSES_ROOT, subKey).Text(nullptr).value_or("");
}

// What the registry says of the type's icon: "%1" as its icon, or an icon
// handler, means every file brings its own.
bool RegisteredPerFile(const std::string& typeKey) {
    std::string classes[] = {"." + typeKey, RegistryDefault("." + typeKey)};
    for (const std::string& name : classes) {
        if (name.empty()) continue;
        if (RegistryDefault(name + "\\DefaultIcon").find("%1") != std::string::npos) return true;
        if (platform::RegistryKey::Open(HKEY_CLASSES_ROOT, name + "\\shellex\\IconHandler").Opened()) return true;
    }
    return false;
}

// True when the system has anything to say of the type: a class, a
// system-wide association or a user's choice. The shell shows every other
// type with the one icon of unknown files.
bool KnownToTheSystem(const std::string& typeKey) {
    if (typeKey.empty()) return false;
    const std::string extension = "." + typeKey;
    // The classes root holds the user's classes on Windows, not everywhere.
    return platform::RegistryKey::Open(HKEY_CLASSES_ROOT, extension).Opened() ||
           platform::RegistryKey::Open(HKEY_CURRENT_USER, "Software\\Classes\\" + extension).Opened() ||
           platform::RegistryKey::Open(HKEY_CLASSES_ROOT, "SystemFileAssociations\\" + extension).Opened() ||
           platform::RegistryKey::Open(HKEY_CURRENT_USER,
                                       "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\" + extension)
               .Opened();
}

// The cache key shared by the types the system does not know; no extension
// holds a "?".
constexpr char kUnknownTypes[] = "?";

}  // namespace

std::string ReportIcons::TypeKey(std::string_view fileName) {
    size_t dot = fileName.find_last_of('.');
    if (dot == std::string_view::npos) return {};
    std::string key(fileName.substr(dot + 1));
    platform::LowerAnsiInPlace(key);
    return key;
}

ReportIcons::TypeKind ReportIcons::KindOf(const std::string& typeKey) {
    auto known = typeKinds_.find(typeKey);
    if (known != typeKinds_.end()) return known->second;
    TypeKind kind = TypeKind::Unknown;
    if (std::find(kPerFileTypes.begin(), kPerFileTypes.end(), typeKey) != kPerFileTypes.end()) {
        kind = TypeKind::PerFile;
    } else if (KnownToTheSystem(typeKey)) {
        kind = RegisteredPerFile(typeKey) ? TypeKind::PerFile : TypeKind::Registered;
    }
    typeKinds_.emplace(typeKey, kind);
    return kind;
}

bool ReportIcons::IconComesFromFile(const std::string& typeKey) { return KindOf(typeKey) == TypeKind::PerFile; }

int ReportIcons::AddIcon(HICON icon) {
    if (!images_ || !icon) return I_IMAGENONE;
    int index = ::ImageList_AddIcon(images_, icon);
    return index < 0 ? I_IMAGENONE : index;
}

int ReportIcons::TypeIcon(const std::string& cacheKey, const std::string* path, std::string_view fileName) {
    auto cached = typeIcons_.find(cacheKey);
    if (cached != typeIcons_.end()) return cached->second;
    ui::Icon icon;
    if (path) {
        ++shellQueries_;
        icon = ui::SmallIconOfPath(*path);
    }
    if (!icon) {
        ++shellQueries_;
        icon = ui::SmallIconOfFileName(std::string(fileName));
    }
    int index = AddIcon(icon.Get());
    typeIcons_.emplace(cacheKey, index);
    return index;
}

int ReportIcons::IndexFor(const std::string& path, std::string_view fileName) {
    std::string typeKey = TypeKey(fileName);
    switch (KindOf(typeKey)) {
        case TypeKind::PerFile:
            return I_IMAGECALLBACK;
        case TypeKind::Unknown:
            // One question for all of them: junk often comes in many made-up
            // extensions (".~1f3a", ".$01"), each of which would cost one.
            return TypeIcon(kUnknownTypes, &path, fileName);
        case TypeKind::Registered:
            break;
    }
    // The first file of a type stands for all of them.
    return TypeIcon(typeKey, &path, fileName);
}

int ReportIcons::FileIcon(const std::string& path, std::string_view fileName) {
    ++shellQueries_;
    ui::Icon icon = ui::SmallIconOfPath(path);
    if (icon) return AddIcon(icon.Get());
    std::string pattern = "*";
    pattern += TypeKey(fileName);
    return TypeIcon(pattern, nullptr, fileName);
}

}  // namespace pages

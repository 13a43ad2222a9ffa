// The resources every folder links into the program, checked as a whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/app_resources.h"
#include "app/version.h"
#include "app/version_title.h"
#include "options/options_ids.h"
#include "pages/resource_ids.h"
#include "rescue/rescue_resources.h"
#include "support/scratch.h"
#include "ui/gdi.h"
#include "ui/resource_ranges.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD imageId;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

// The width of an icon image: large images are stored as PNG files, the
// others as bitmaps with their AND mask.
LONG ImageWidth(const BYTE* image, DWORD bytes) {
    static const BYTE kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (bytes >= 24 && std::equal(std::begin(kPngSignature), std::end(kPngSignature), image)) {
        // The IHDR chunk follows the signature; its width is big-endian.
        return (LONG{image[16]} << 24) | (LONG{image[17]} << 16) | (LONG{image[18]} << 8) | LONG{image[19]};
    }
    return reinterpret_cast<const BITMAPINFOHEADER*>(image)->biWidth;
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR context) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(context)->push_back(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

TEST(Resources, EveryIconGroupHasImagesOfItsOwnThatMatchItsDirectory) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    std::vector<ULONG_PTR> groups;
    ::EnumResourceNamesA(module, reinterpret_cast<LPCSTR>(RT_GROUP_ICON), CollectName,
                         reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_FALSE(groups.empty());
    std::map<WORD, ULONG_PTR> owner;
    std::map<ULONG_PTR, std::vector<LONG>> widths;
    for (ULONG_PTR group : groups) {
        ASSERT_TRUE(IS_INTRESOURCE(group)) << "icon groups are numbered";
        HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(group), reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
        auto* header = static_cast<const GroupIconHeader*>(::LockResource(::LoadResource(module, found)));
        ASSERT_NE(header, nullptr);
        auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
        for (WORD i = 0; i < header->count; ++i) {
            const GroupIconEntry& entry = entries[i];
            auto [it, inserted] = owner.emplace(entry.imageId, group);
            EXPECT_TRUE(inserted) << "icon " << group << " shares image " << entry.imageId << " with icon " << it->second;
            HRSRC image = ::FindResourceA(module, MAKEINTRESOURCEA(entry.imageId), reinterpret_cast<LPCSTR>(RT_ICON));
            ASSERT_NE(image, nullptr) << group;
            EXPECT_EQ(::SizeofResource(module, image), entry.bytes) << "icon " << group << " image " << i;
            auto* bytes = static_cast<const BYTE*>(::LockResource(::LoadResource(module, image)));
            LONG width = ImageWidth(bytes, ::SizeofResource(module, image));
            EXPECT_EQ(width, entry.width ? entry.width : 256) << "icon " << group;
            widths[group].push_back(width);
        }
    }
    for (int id : {IDI_PROGRAM, IDI_START_WORK, IDI_HELP_BUTTON, IDI_OPTIONS_BUTTON, IDI_RESCUE_BUTTON}) {
        EXPECT_NE(::FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_GROUP_ICON)), nullptr) << id;
    }
    // Explorer's large views and the installed-programs list take the
    // program's icon at up to 256 pixels.
    EXPECT_EQ(widths[IDI_PROGRAM], (std::vector<LONG>{16, 32, 48, 256}));
}

TEST(Resources, ProgramIconLoadsAtEverySize) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC group = ::FindResourceA(module, MAKEINTRESOURCEA(IDI_PROGRAM), reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    auto* directory = static_cast<BYTE*>(::LockResource(::LoadResource(module, group)));
    ASSERT_NE(directory, nullptr);
    // Each size as the loader picks it from the directory, decoded from its
    // own bytes: the large image is a PNG, which the loader must decode
    // rather than fall back to stretching a smaller one.
    for (int size : {16, 32, 48, 256}) {
        int id = ::LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_ICON));
        ASSERT_NE(found, nullptr) << size;
        auto* bytes = static_cast<BYTE*>(::LockResource(::LoadResource(module, found)));
        ui::Icon icon(::CreateIconFromResourceEx(bytes, ::SizeofResource(module, found), TRUE, 0x00030000, 0, 0,
                                                 LR_DEFAULTCOLOR));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon.Get(), &info)) << size;
        ui::Bitmap color(info.hbmColor), mask(info.hbmMask);
        ASSERT_TRUE(color) << size;
        BITMAP bitmap{};
        ::GetObjectA(color.Get(), sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
    }
}

TEST(Resources, TheProgramNamesItsMakerVersionAndCopyright) {
    const std::string program = testsupport::TestProgramFolder() + "\\JunkSweep.exe";
    const std::pair<const char*, std::string> expected[] = {
        {"CompanyName", JUNKSWEEP_COMPANY},
        {"LegalCopyright", JUNKSWEEP_COPYRIGHT},
        {"ProductName", JUNKSWEEP_PRODUCT_NAME},
        {"ProductVersion", JUNKSWEEP_VERSION_TEXT},
        {"FileVersion", JUNKSWEEP_VERSION_TEXT},
        {"OriginalFilename", "JunkSweep.exe"},
    };
    for (const auto& [name, value] : expected) EXPECT_EQ(app::VersionText(program, name), value) << name;
    EXPECT_NE(app::VersionText(program, "FileDescription"), "");
}

using ui::ResourceKind;

struct OwnedId {
    std::string_view folder;
    ResourceKind kind;
    int id;
};

// Every resource id of every folder: each must lie in its own folder's
// ranges, so that no two folders can give one number to two resources.
constexpr OwnedId kOwnedIds[] = {
    {"app", ResourceKind::Icon, IDI_PROGRAM},
    {"app", ResourceKind::Dialog, IDD_WIZARD},
    {"app", ResourceKind::Dialog, IDD_WELCOME_PAGE},
    {"app", ResourceKind::Dialog, IDD_HEADER_BAR},
    {"app", ResourceKind::Icon, IDI_START_WORK},
    {"app", ResourceKind::Icon, IDI_HELP_BUTTON},
    {"app", ResourceKind::Icon, IDI_OPTIONS_BUTTON},
    {"app", ResourceKind::Icon, IDI_RESCUE_BUTTON},
    {"app", ResourceKind::Bitmap, IDB_HEADER_BACKGROUND},
    {"pages", ResourceKind::Dialog, IDD_PG_DRIVE_SELECTION},
    {"pages", ResourceKind::Dialog, IDD_PG_SCANNING},
    {"pages", ResourceKind::Dialog, IDD_PG_REPORT},
    {"pages", ResourceKind::Dialog, IDD_PG_CLEAN_SUMMARY},
    {"pages", ResourceKind::Dialog, IDD_PG_CLEANING},
    {"pages", ResourceKind::Dialog, IDD_PG_FINISH},
    {"pages", ResourceKind::Dialog, IDD_PG_NOT_CLEANED},
    {"pages", ResourceKind::Bitmap, IDB_PG_TREE_IMAGES},
    {"pages", ResourceKind::Bitmap, IDB_PG_CHECK_STATES},
    {"pages", ResourceKind::Bitmap, IDB_PG_SUMMARY_IMAGES},
    {"pages", ResourceKind::Icon, IDI_PG_SCANNING},
    {"options", ResourceKind::Dialog, IDD_OPTIONS},
    {"options", ResourceKind::Dialog, IDD_JUNK_TYPES_PAGE},
    {"options", ResourceKind::Dialog, IDD_SEARCH_OPTIONS_PAGE},
    {"options", ResourceKind::Dialog, IDD_SKIP_FOLDERS_PAGE},
    {"options", ResourceKind::Dialog, IDD_CLEAN_OPTIONS_PAGE},
    {"options", ResourceKind::Dialog, IDD_JUNK_TYPE_EDITOR},
    {"options", ResourceKind::Dialog, IDD_ADVANCED_SETTINGS},
    {"options", ResourceKind::Icon, IDI_JUNK_TYPES},
    {"options", ResourceKind::Icon, IDI_SEARCH_OPTIONS},
    {"options", ResourceKind::Icon, IDI_SKIP_FOLDERS},
    {"options", ResourceKind::Icon, IDI_CLEAN_OPTIONS},
    {"options", ResourceKind::Icon, IDI_ADD_ENTRY},
    {"options", ResourceKind::Icon, IDI_DELETE_ENTRY},
    {"options", ResourceKind::Icon, IDI_ADVANCED_SETTINGS},
    {"options", ResourceKind::Icon, IDI_ANY_FILE},
    {"options", ResourceKind::Icon, IDI_ANY_FOLDER},
    {"options", ResourceKind::Bitmap, IDB_OPTION_TABS},
    {"rescue", ResourceKind::Dialog, IDD_RESCUE_CENTER},
    {"rescue", ResourceKind::Icon, IDI_RESCUE_CENTER},
};

LPCSTR TypeOf(ResourceKind kind) {
    switch (kind) {
        case ResourceKind::Dialog: return reinterpret_cast<LPCSTR>(RT_DIALOG);
        case ResourceKind::Icon: return reinterpret_cast<LPCSTR>(RT_GROUP_ICON);
        case ResourceKind::Bitmap: return reinterpret_cast<LPCSTR>(RT_BITMAP);
    }
    return nullptr;
}

TEST(Resources, EveryFoldersIdsLieInItsOwnRangesAndEveryResourceInSomeFoldersRange) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    for (const OwnedId& owned : kOwnedIds) {
        EXPECT_EQ(ui::ResourceFolderOf(owned.kind, owned.id), owned.folder) << owned.id;
        EXPECT_NE(::FindResourceA(module, MAKEINTRESOURCEA(owned.id), TypeOf(owned.kind)), nullptr) << owned.id;
    }
    for (ResourceKind kind : {ResourceKind::Dialog, ResourceKind::Icon, ResourceKind::Bitmap}) {
        std::vector<ULONG_PTR> names;
        ::EnumResourceNamesA(module, TypeOf(kind), CollectName, reinterpret_cast<LONG_PTR>(&names));
        EXPECT_FALSE(names.empty());
        for (ULONG_PTR name : names) {
            ASSERT_TRUE(IS_INTRESOURCE(name));
            EXPECT_FALSE(ui::ResourceFolderOf(kind, static_cast<int>(name)).empty()) << "resource " << name;
        }
    }
}

}  // namespace

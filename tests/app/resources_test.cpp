// The resources every folder links into the program, checked as a whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/app_resources.h"
#include "app/version.h"
#include "app/version_title.h"
#include "support/scratch.h"
#include "ui/gdi.h"

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

}  // namespace

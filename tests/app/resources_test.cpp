// The resources every folder links into the program, checked as a whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <vector>

#include "app/app_resources.h"

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
            auto* bitmap = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(module, image)));
            EXPECT_EQ(bitmap->biWidth, entry.width ? entry.width : 256) << "icon " << group;
        }
    }
    for (int id : {IDI_PROGRAM, IDI_START_WORK, IDI_HELP_BUTTON, IDI_OPTIONS_BUTTON, IDI_RESCUE_BUTTON}) {
        EXPECT_NE(::FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_GROUP_ICON)), nullptr) << id;
    }
}

}  // namespace

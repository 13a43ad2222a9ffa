#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include "clean/backup_layout.h"
#include "paths/path_text.h"
#include "platform/file_move.h"
#include "platform/handle.h"
#include "platform/held_file.h"
#include "rescue/restore.h"
#include "rescue_fixtures.h"
#include "support/scratch.h"

namespace {

using rescuetest::MakeSet;
using testsupport::FileExists;
using testsupport::ReadFile;
using testsupport::WriteFile;

// The file's identity on its volume: a move keeps it, a copy is a new file.
uint64_t FileId(const std::string& path) {
    platform::UniqueHandle file(::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, 7, nullptr, OPEN_EXISTING,
                                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !::GetFileInformationByHandle(file.Get(), &info)) return 0;
    return (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
}

// The access list as the platform shows it.
std::string AccessList(const std::string& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr,
                                nullptr, &descriptor) != ERROR_SUCCESS) {
        return "unreadable";
    }
    char* text = nullptr;
    ::ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                           &text, nullptr);
    std::string list = text ? text : "?";
    ::LocalFree(text);
    ::LocalFree(descriptor);
    return list;
}

// f: is a small memory drive of its own when the test bed may mount one.
bool OtherVolumeAvailable() {
    ULARGE_INTEGER free{};
    return ::GetDiskFreeSpaceExA("f:\\", &free, nullptr, nullptr) && free.QuadPart < 200 * 1024;
}

struct FileReturnTest : testing::Test {
    testsupport::ProgramPlace place{"return"};
    std::string root = paths::WithoutTrailingBackslash(clean::BackupRoot());
};

TEST_F(FileReturnTest, OnOneVolumeFilesAreMovedBackAndLookAsCopiesWould) {
    std::string set = MakeSet(root, "2006-12-05_10-20-30", {{"E\\moved\\a.txt", "alpha"}, {"E\\moved\\ro.txt", "ro"}});
    const std::string setFile = set + "\\E\\moved\\a.txt", setLocked = set + "\\E\\moved\\ro.txt";
    ::SetFileAttributesA(setLocked.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const DWORD attributes = ::GetFileAttributesA(setLocked.c_str());
    const uint64_t id = FileId(setFile);

    auto outcome = rescue::RestoreSet(set);
    EXPECT_EQ(outcome.restored, 2u);
    EXPECT_EQ(outcome.moved, 2u);
    EXPECT_TRUE(outcome.setRemoved);
    EXPECT_EQ(FileId("e:\\moved\\a.txt"), id);
    EXPECT_EQ(ReadFile("e:\\moved\\a.txt"), "alpha");
    // A copy carries the attributes over; so does the move.
    EXPECT_EQ(::GetFileAttributesA("e:\\moved\\ro.txt"), attributes);
    WriteFile("e:\\moved\\fresh.txt", "made here");
    EXPECT_EQ(AccessList("e:\\moved\\a.txt"), AccessList("e:\\moved\\fresh.txt"));
}

TEST_F(FileReturnTest, OnAnotherVolumeFilesAreCopiedAndAFailedCopyLeavesNothingBehind) {
    if (!OtherVolumeAvailable()) GTEST_SKIP() << "the test bed has no memory drive f: here";
    ULARGE_INTEGER free{};
    ::GetDiskFreeSpaceExA("f:\\", &free, nullptr, nullptr);
    const std::string big(static_cast<size_t>(free.QuadPart) + 64 * 1024, 'b');
    std::string set = MakeSet(root, "2006-12-05_10-20-30", {{"F\\back\\one.txt", "1"}, {"F\\back\\two.txt", "2"}});
    WriteFile(set + "\\F\\big.bin", big);
    const uint64_t id = FileId(set + "\\F\\back\\one.txt");

    auto outcome = rescue::RestoreSet(set);
    EXPECT_EQ(outcome.restored, 2u);
    EXPECT_EQ(outcome.moved, 0u);
    EXPECT_EQ(outcome.failed, 1u);
    EXPECT_EQ(ReadFile("f:\\back\\one.txt"), "1");
    EXPECT_NE(FileId("f:\\back\\one.txt"), id);
    EXPECT_FALSE(FileExists(set + "\\F\\back\\one.txt"));
    // The copy that ran out of room: the set keeps the file whole, and no
    // damaged copy stands in its place.
    EXPECT_FALSE(FileExists("f:\\big.bin"));
    EXPECT_EQ(ReadFile(set + "\\F\\big.bin"), big);
    EXPECT_FALSE(outcome.setRemoved);
}

TEST_F(FileReturnTest, AFileThatCannotBeReplacedStaysInTheSetAndThePlaceUntouched) {
    WriteFile("e:\\busy.txt", "in use");
    std::string set = MakeSet(root, "2006-12-05_10-20-30", {{"E\\busy.txt", "from the set"}});
    // Another program holds the place without sharing it.
    platform::UniqueHandle holder(
        ::CreateFileA("e:\\busy.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);

    auto outcome = rescue::RestoreSet(set);
    EXPECT_EQ(outcome.failed, 1u);
    EXPECT_EQ(ReadFile(set + "\\E\\busy.txt"), "from the set");
    holder.Reset();
    EXPECT_EQ(ReadFile("e:\\busy.txt"), "in use");
}

TEST(MoveHeldFile, ReplacesAFileOnlyWhenAsked) {
    std::string folder = testsupport::NewScratchFolder("held");
    WriteFile(folder + "\\a.txt", "held");
    WriteFile(folder + "\\taken.txt", "there before");
    platform::HeldFile held(folder + "\\a.txt");
    ASSERT_EQ(held.OpenState(), platform::HeldState::Plain);
    EXPECT_NE(platform::MoveHeldFile(held.Get(), folder + "\\taken.txt", false), DWORD{ERROR_SUCCESS});
    EXPECT_EQ(platform::MoveHeldFile(held.Get(), folder + "\\new\\b.txt", true), DWORD{ERROR_PATH_NOT_FOUND});
    held.Close();
    EXPECT_EQ(ReadFile(folder + "\\taken.txt"), "there before");
    EXPECT_EQ(ReadFile(folder + "\\a.txt"), "held");

    platform::HeldFile again(folder + "\\a.txt");
    EXPECT_EQ(platform::MoveHeldFile(again.Get(), folder + "\\taken.txt", true), DWORD{ERROR_SUCCESS});
    again.Close();
    EXPECT_EQ(ReadFile(folder + "\\taken.txt"), "held");
    EXPECT_FALSE(FileExists(folder + "\\a.txt"));
}

TEST(MoveHeldFile, TellsAnotherVolume) {
    if (!OtherVolumeAvailable()) GTEST_SKIP() << "the test bed has no memory drive f: here";
    std::string file = testsupport::NewScratchFolder("held") + "\\a.txt";
    WriteFile(file, "stays");
    platform::HeldFile held(file);
    EXPECT_EQ(platform::MoveHeldFile(held.Get(), "f:\\a.txt", true), DWORD{ERROR_NOT_SAME_DEVICE});
    held.Close();
    EXPECT_EQ(ReadFile(file), "stays");
}

TEST(FolderSecurity, InheritedOrProtectedListsCameFromTheOldFolder) {
    const std::pair<const char*, bool> cases[] = {
        {"D:(A;ID;FA;;;SY)(A;ID;FR;;;WD)", true},   // inherited from the folder
        {"D:(A;;FA;;;BA)(A;ID;FR;;;WD)", true},     // explicit and inherited
        {"D:P(A;;FA;;;SY)", true},                  // shut off from its folder
        {"D:(A;;FA;;;SY)(A;;0x1200a9;;;WD)", false},  // explicit only
        {"D:AI(A;;FA;;;SY)", false},
        {"D:", false},                              // an empty list
        {"D:NO_ACCESS_CONTROL", false},             // no list: a volume without them
        {"O:SY", false},
    };
    for (const auto& [text, carries] : cases) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA(text, SDDL_REVISION_1, &descriptor, nullptr))
            << text;
        EXPECT_EQ(platform::CarriesFolderSecurity(descriptor), carries) << text;
        ::LocalFree(descriptor);
    }
}

TEST(FolderSecurity, AMovedFileTakesWhatItsNewFolderGives) {
    std::string from = testsupport::NewScratchFolder("from"), to = testsupport::NewScratchFolder("to", 'e');
    WriteFile(from + "\\a.txt", "moved");
    WriteFile(to + "\\fresh.txt", "made here");
    platform::HeldFile held(from + "\\a.txt", platform::HeldFile::kForDeletion | READ_CONTROL | WRITE_DAC);
    ASSERT_EQ(platform::MoveHeldFile(held.Get(), to + "\\a.txt", false), DWORD{ERROR_SUCCESS});
    EXPECT_TRUE(platform::InheritSecurityFromFolder(held.Get()));
    held.Close();
    EXPECT_EQ(AccessList(to + "\\a.txt"), AccessList(to + "\\fresh.txt"));
    // Still the user's to read, change and delete.
    WriteFile(to + "\\a.txt", "changed");
    EXPECT_EQ(ReadFile(to + "\\a.txt"), "changed");
    EXPECT_TRUE(::DeleteFileA((to + "\\a.txt").c_str()));
}

}  // namespace

// The test bed itself: programs under test must not reach the host's files,
// and the scratch drives must look like ordinary fixed drives.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "support/scratch.h"

namespace {

TEST(TestBed, NoDriveMapsTheHostRoot) {
    DWORD drives = ::GetLogicalDrives();
    EXPECT_FALSE(drives & (1u << ('Z' - 'A'))) << "a z: drive would expose the host's files";
    EXPECT_EQ(::GetDriveTypeA("Z:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
}

TEST(TestBed, ScratchDrivesAreFixedAndEmptyAtStart) {
    for (const char* root : {"D:\\", "E:\\"}) {
        EXPECT_EQ(::GetDriveTypeA(root), static_cast<UINT>(DRIVE_FIXED)) << root;
    }
    std::string folder = testsupport::NewScratchFolder("bed", 'e');
    testsupport::WriteFile(folder + "\\probe.txt", "x");
    EXPECT_TRUE(testsupport::FileExists(folder + "\\probe.txt"));
}

TEST(TestBed, ProgramFolderIsNotAFixedDrive) {
    std::string root = testsupport::TestProgramFolder().substr(0, 3);
    EXPECT_NE(::GetDriveTypeA(root.c_str()), static_cast<UINT>(DRIVE_FIXED)) << root;
}

TEST(TestBed, RecycledFilesLeaveTheirPlace) {
    std::string folder = testsupport::NewScratchFolder("bin");
    std::string file = folder + "\\gone.tmp";
    testsupport::WriteFile(file, "junk");
    std::string source = file + '\0';
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = source.c_str();
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
    ::SHFileOperationA(&op);
    EXPECT_FALSE(testsupport::FileExists(file));
    SHQUERYRBINFO info{sizeof info, 0, 0};
    ASSERT_EQ(::SHQueryRecycleBinA("D:\\", &info), S_OK);
    EXPECT_GE(info.i64NumItems, 1);
}

}  // namespace

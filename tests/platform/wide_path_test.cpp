// The long form every file-system call is made with: a wrong one reaches
// another file, or a device, or the current folder of a drive.
#include <gtest/gtest.h>

#include <string>

#include "platform/wide_path.h"

namespace {

struct Spelling {
    const char* path;
    const wchar_t* wide;   // for the file system
    const wchar_t* shell;  // for the shell
};

TEST(WidePath, AbsolutePathsGetTheirLongFormAndOthersStayAsWritten) {
    const Spelling cases[] = {
        {"D:\\Temp\\a.tmp", L"\\\\?\\D:\\Temp\\a.tmp", L"D:\\Temp\\a.tmp"},
        // A drive's root, spelled with or without its separator: never the
        // volume itself, nor the drive's current folder.
        {"D:", L"\\\\?\\D:\\", L"D:\\"},
        {"D:\\", L"\\\\?\\D:\\", L"D:\\"},
        {"\\\\server\\share\\a.tmp", L"\\\\?\\UNC\\server\\share\\a.tmp", L"\\\\server\\share\\a.tmp"},
        {"\\\\server\\share", L"\\\\?\\UNC\\server\\share", L"\\\\server\\share"},
        // What the system would do to the path without the prefix.
        {"D:/Temp//x\\.\\y\\..\\a.tmp\\", L"\\\\?\\D:\\Temp\\x\\a.tmp", L"D:\\Temp\\x\\a.tmp"},
        {"D:\\..\\..\\a.tmp", L"\\\\?\\D:\\a.tmp", L"D:\\a.tmp"},
        // ...but not what would reach another entry: the exact name stays.
        {"D:\\keep.", L"\\\\?\\D:\\keep.", L"D:\\keep."},
        {"D:\\budget.xls ", L"\\\\?\\D:\\budget.xls ", L"D:\\budget.xls "},
        // Relative, drive-relative and device paths are never made absolute.
        {"work\\a.tmp", L"work\\a.tmp", L"work\\a.tmp"},
        {"D:work", L"D:work", L"D:work"},
        {"\\\\?\\D:\\a", L"\\\\?\\D:\\a", L"\\\\?\\D:\\a"},
        {"\\\\.\\pipe\\x", L"\\\\.\\pipe\\x", L"\\\\.\\pipe\\x"},
        {"\\\\server", L"\\\\server", L"\\\\server"},
    };
    for (const Spelling& c : cases) {
        EXPECT_EQ(platform::WidePath(c.path), c.wide) << c.path;
        EXPECT_EQ(platform::ShellPath(c.path), c.shell) << c.path;
    }
}

TEST(WidePath, TheShellLimitIsCountedInUtf16UnitsOfTheNormalisedPath) {
    const std::string at259 = "D:\\" + std::string(256, 'a');
    EXPECT_FALSE(platform::ExceedsShortPathLimit(at259));
    EXPECT_TRUE(platform::ExceedsShortPathLimit(at259 + "b"));
    // Separators the system drops do not count.
    EXPECT_FALSE(platform::ExceedsShortPathLimit("D:\\\\.\\" + std::string(256, 'a')));
}

}  // namespace

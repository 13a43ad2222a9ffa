#include <gtest/gtest.h>

#include <windows.h>

#include "clean/clean_engine.h"
#include "platform/com.h"
#include "recording_sink.h"
#include "recycle_bin.h"
#include "support/scratch.h"

namespace {

TEST(RecycleFiles, FileGoesToTheRecycleBinAndCanBeBroughtBack) {
    std::string folder = testsupport::NewScratchFolder("recycle");
    std::string name = "recycled-" + std::to_string(GetTickCount()) + ".txt";
    std::string path = folder + "\\" + name;
    testsupport::WriteFile(path, "keep me");
    cleantest::RecordingProgress progress;
    clean::StopFlag stop{0};
    EXPECT_TRUE(clean::RecycleFiles({path, folder + "\\missing.txt"}, progress, stop));
    EXPECT_FALSE(testsupport::FileExists(path));

    platform::ComPtr<IShellFolder> bin = cleantest::RecycleBinFolder();
    ASSERT_TRUE(bin);
    cleantest::Pidl item = cleantest::FindInBin(bin.Get(), name);
    ASSERT_TRUE(item) << "not found in the recycle bin";
    EXPECT_TRUE(cleantest::Restore(bin.Get(), item.get()));
    EXPECT_EQ(testsupport::ReadFile(path), "keep me");
    EXPECT_FALSE(cleantest::FindInBin(bin.Get(), name));
}

}  // namespace

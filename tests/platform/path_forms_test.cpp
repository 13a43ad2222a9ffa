// The one spelling of a path, for paths that exist only in part or not at all.
#include <gtest/gtest.h>

#include "platform/path_forms.h"

namespace {

TEST(PathForms, PathsThatDoNotExistKeepTheirNamesInOneSpelling) {
    const struct {
        const char* path;
        const char* form;
        bool root;
    } cases[] = {
        {"D:\\No Such\\Folder\\", "d:\\no such\\folder", false},
        {"d:\\No Such Folder", "d:\\no such folder", false},
        {"d:\\x\\..\\Y. \\.\\z.tmp ", "d:\\y\\z.tmp", false},
        {"D:\\", "d:", true},
        {"d:\\\\", "d:", true},
    };
    for (const auto& c : cases) {
        for (const std::string& form : {platform::LongForm(c.path), platform::FinalLongForm(c.path)}) {
            EXPECT_EQ(form, c.form) << c.path;
            EXPECT_EQ(platform::IsRootForm(form), c.root) << c.path;
        }
    }
    EXPECT_EQ(platform::JoinForm("d:\\a", "B.TMP. "), "d:\\a\\b.tmp");
    EXPECT_TRUE(platform::IsSameOrBelow("d:\\a\\b", "d:\\a"));
    EXPECT_FALSE(platform::IsSameOrBelow("d:\\ab", "d:\\a"));
}

}  // namespace

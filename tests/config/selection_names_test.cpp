// Stored selections whose names the narrow code page cannot spell: a
// look-alike spelling would select another folder, so such entries are
// left out rather than approximated.
#include <gtest/gtest.h>

#include <windows.h>

#include "config/settings.h"
#include "support/scratch.h"

namespace {

TEST(SelectedPaths, EntriesWithoutAnExactNarrowSpellingAreLeftOut) {
    testsupport::ProgramPlace place;
    // "d:\ā" would read as "d:\a" through a single-byte code page with best fit.
    place.WriteSettings(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><Config><SelectDrive>"
        "<PathItem name=\"d:\\plain\"/><PathItem name=\"d:\\\xC4\x81\"/>"
        "<PathItem name=\"e:\\\xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87\"/><PathItem/></SelectDrive></Config>");
    std::vector<std::string> expected = {"d:\\plain"};
    if (GetACP() == CP_UTF8) expected = {"d:\\plain", "d:\\\xC4\x81", "e:\\\xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87"};
    expected.push_back("");  // an entry without a name reads as empty, as before
    EXPECT_EQ(config::LoadSelectedPaths(), expected);
}

}  // namespace

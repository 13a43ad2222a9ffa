// The layout of a saved settings document: people edit the file by hand, so
// every save leaves one element per line, one tab per level.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/config_document.h"
#include "config/settings.h"
#include "config/settings_paths.h"
#include "support/scratch.h"
#include "support/text_lines.h"

namespace {

using namespace config;
using testsupport::ProgramPlace;
using testsupport::LinesOf;
using testsupport::ReadFile;

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

std::string OpenAndSave(const ProgramPlace& place) {
    ConfigDocument doc;
    EXPECT_TRUE(doc.Open(place.SettingsPath()));
    EXPECT_TRUE(doc.Save());
    return ReadFile(place.SettingsPath());
}

TEST(DocumentLayout, TheShippedFileSavesLineForLineAsItWas) {
    ProgramPlace place("layoutshipped");
    place.CopyShipped("JunkSweep.xml");
    const std::string shipped = ReadFile(place.SettingsPath());
    const std::vector<std::string> lines = LinesOf(shipped);
    ASSERT_GT(lines.size(), 100u);
    EXPECT_EQ(LinesOf(OpenAndSave(place)), lines);
    // And so does every later save.
    EXPECT_EQ(LinesOf(OpenAndSave(place)), lines);
}

TEST(DocumentLayout, SavesLayOutEveryElementOnItsOwnLine) {
    struct Case {
        const char* name;
        std::string file;
        std::vector<std::string> saved;  // after the declaration
    } cases[] = {
        {"one long line",
         std::string(kDeclaration) + "<Config><A x=\"1\"/><B><C/><C y=\"&amp;&lt;&quot;\"/></B><D/></Config>",
         {"<Config>", "\t<A x=\"1\"/>", "\t<B>", "\t\t<C/>", "\t\t<C y=\"&amp;&lt;&quot;\"/>", "\t</B>", "\t<D/>",
          "</Config>"}},
        {"odd indentation",
         std::string(kDeclaration) + "\r\n<Config>\n      <A/>\n<B>\n\n\n  <C/></B>\n  </Config>\r\n",
         {"<Config>", "\t<A/>", "\t<B>", "\t\t<C/>", "\t</B>", "</Config>"}},
        {"comments stay, on lines of their own",
         std::string(kDeclaration) + "<Config><!-- set by the administrator --><A/></Config>",
         {"<Config>", "\t<!-- set by the administrator -->", "\t<A/>", "</Config>"}},
        {"text content stays exactly as it was",
         std::string(kDeclaration) + "<Config><T>  two  blanks </T><M>mixed <b/> text</M></Config>",
         {"<Config>", "\t<T>  two  blanks </T>", "\t<M>mixed <b/> text</M>", "</Config>"}},
    };
    for (const Case& c : cases) {
        ProgramPlace place("layoutcase");
        place.WriteSettings(c.file);
        std::vector<std::string> lines = LinesOf(OpenAndSave(place));
        ASSERT_FALSE(lines.empty()) << c.name;
        EXPECT_EQ(lines.front(), kDeclaration) << c.name;
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), c.saved) << c.name;
    }
}

TEST(DocumentLayout, RewrittenListsKeepOneEntryPerLine) {
    ProgramPlace place("layoutlists");
    place.CopyShipped("JunkSweep.xml");
    const size_t shippedLines = LinesOf(ReadFile(place.SettingsPath())).size();
    // Shorter, then longer, then empty again: no blank lines pile up where
    // entries were removed.
    SaveSelectedPaths({"C:\\", "D:\\Data"});
    SaveSelectedPaths({"E:\\"});
    SaveJunkTypes({{"*.tmp", "Temporary", 1}, {"*.bak", "Backup", 0}});
    const std::vector<std::string> lines = LinesOf(ReadFile(place.SettingsPath()));
    auto at = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(at("\t<SelectDrive>")) << ReadFile(place.SettingsPath());
    EXPECT_TRUE(at("\t\t<PathItem name=\"E:\\\"/>"));
    EXPECT_TRUE(at("\t</SelectDrive>"));
    EXPECT_TRUE(at("\t\t\t<Custom>"));
    EXPECT_TRUE(at("\t\t\t\t<item checked=\"1\" description=\"Temporary\" file=\"*.tmp\"/>"));
    EXPECT_TRUE(at("\t\t\t\t<item checked=\"0\" description=\"Backup\" file=\"*.bak\"/>"));
    EXPECT_FALSE(at("")) << "no blank lines";
    // 19 junk types became 2; the selection took 2 lines more.
    EXPECT_EQ(lines.size(), shippedLines - 17 + 2);

    SaveSelectedPaths({});
    const std::vector<std::string> emptied = LinesOf(ReadFile(place.SettingsPath()));
    EXPECT_NE(std::find(emptied.begin(), emptied.end(), "\t<SelectDrive/>"), emptied.end());
    EXPECT_EQ(emptied.size(), lines.size() - 2);
}

}  // namespace

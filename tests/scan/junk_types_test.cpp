#include <gtest/gtest.h>

#include "scan/junk_types.h"

namespace {

struct WildcardCase {
    const char* pattern;
    const char* name;
    bool matches;
};

// Callers lower-case both sides before matching; the cases are given so.
const WildcardCase kWildcardCases[] = {
    {"*", "anything.at.all", true},
    {"*", "", true},
    {"*.*", "readme", false},
    {"*.*", ".profile", true},
    {"*.tmp", "a.tmp", true},
    {"*.tmp", ".tmp", true},
    {"*.tmp", "a.tmp.bak", false},
    {"*.tmp", "a.tmpx", false},
    {"a?.txt", "ab.txt", true},
    {"a?.txt", "a.txt", false},
    {"*~", "report.doc~", true},
    {"~*", "~wrl0001.tmp", true},
    {"*a*b", "axbyb", true},
    {"*a*b", "axbyc", false},
    {"tmp", "tmp", true},
    {"tmp", "tmpx", false},
    {"", "name", false},
    {"", "", true},
    {"c:\\temp\\x.tmp", "x.tmp", false},
    {"**.log", "a.log", true},
    {"a*", "a", true},
    {"?", "", false},
    {"[ab].txt", "[ab].txt", true},
    {"[ab].txt", "a.txt", false},
    {"*.t?p", "x.tmp", true},
    {"*x*y*z", "axbxyyzz", true},
};

TEST(MatchWildcard, FollowsTheWholeNameRule) {
    for (const auto& c : kWildcardCases) {
        EXPECT_EQ(scan::MatchWildcard(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
    }
}

TEST(JunkTypeTable, MatchIgnoresCaseOfPatternAndName) {
    scan::JunkTypeTable table;
    table.Add("*.TMP", "Temporary");
    auto match = table.Match("A.tmp");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->pattern, "*.TMP");
    EXPECT_EQ(match->description, "Temporary");
    EXPECT_TRUE(table.Match("TMP.TMP"));
    EXPECT_FALSE(table.Match("a.tmpx"));
}

TEST(JunkTypeTable, FirstPatternInByteOrderDecides) {
    scan::JunkTypeTable table;
    table.Add("*.log", "Log file");
    table.Add("*.*", "Any file");
    EXPECT_EQ(table.Match("x.log")->description, "Any file");

    scan::JunkTypeTable ordered;
    ordered.Add("~*", "tilde");
    ordered.Add("a*", "small");
    ordered.Add("_*", "underscore");
    ordered.Add("A*", "capital");
    ordered.Add("1*", "digit");
    ordered.Add(".*", "dot");
    EXPECT_EQ(ordered.Match("a~")->description, "capital");
    EXPECT_EQ(ordered.Match("._a")->description, "dot");
    EXPECT_EQ(ordered.Match("_~")->description, "underscore");
}

TEST(JunkTypeTable, SamePatternKeepsTheLastDescriptionButCaseMakesTwoEntries) {
    scan::JunkTypeTable table;
    table.Add("*.tmp", "A");
    table.Add("*.tmp", "B");
    EXPECT_EQ(table.Size(), 1u);
    EXPECT_EQ(table.Match("x.tmp")->description, "B");

    table.Add("*.TMP", "Capitals");
    EXPECT_EQ(table.Size(), 2u);
    EXPECT_EQ(table.Match("x.tmp")->description, "Capitals");
}

TEST(JunkTypeTable, BytesAboveAsciiSortAfterLetters) {
    scan::JunkTypeTable table;
    table.Add("\xE9*", "high byte");
    table.Add("*", "star");
    EXPECT_EQ(table.Match("\xE9t\xE9")->description, "star");
    table.Clear();
    EXPECT_FALSE(table.Match("anything"));
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/codepage.h"
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

namespace {

TEST(JunkTypeTable, CopiesAndMovesMatchLikeTheOriginal) {
    auto copied = std::make_unique<scan::JunkTypeTable>();
    copied->Add("*.tmp", "tmp");
    copied->Add("*.*", "any");
    copied->Add("readme", "literal");
    scan::JunkTypeTable copy(*copied);
    scan::JunkTypeTable assigned;
    assigned.Add("*.log", "old entry");
    assigned = *copied;
    scan::JunkTypeTable moved(std::move(*copied));
    copied.reset();
    for (const scan::JunkTypeTable* table : {&copy, &assigned, &moved}) {
        EXPECT_EQ(table->Match("a.tmp")->description, "any");
        EXPECT_EQ(table->Match("README")->description, "literal");
        EXPECT_FALSE(table->Match("a.log").has_value() && table->Match("a.log")->description == "old entry");
        EXPECT_FALSE(table->Match("nodot"));
    }
}

// The table takes short cuts for literal and "*suffix" patterns and sorts
// patterns by their last byte; all must agree with the general rule, and
// the first pattern in byte order must still decide.
TEST(JunkTypeTable, AgreesWithTheGeneralRuleForEveryPatternShape) {
    const char* const patterns[] = {"*.tmp", "*~",    "thumbs.db", "tmp",   "*",     "**",   "*.*",  "*a*b",
                                    "a?.txt", "file????.chk", "*.~*", "~*", "?",     "*.",   ".tmp", "*tmp",
                                    "*.TMP", "", "*?", "*.t?p", "a*", "?.tm?", "*a*b*", "x"};
    const char* const names[] = {"a.tmp",  ".tmp",      "tmp",   "a.tmp.bak", "report.doc~", "thumbs.db",
                                 "Thumbs.DB", "THUMBS.DBX", "x",  "",          "ab.txt",      "file0001.chk",
                                 "file001.chk", "a.~doc", "~a",  "a.",        "aXbYb",       "a.TMP"};
    for (const char* pattern : patterns) {
        scan::JunkTypeTable table;
        table.Add(pattern, "d");
        std::string loweredPattern = platform::LowerAnsi(pattern);
        for (const char* name : names) {
            std::string loweredName = platform::LowerAnsi(name);
            EXPECT_EQ(table.Match(name).has_value(), scan::MatchWildcard(loweredPattern.c_str(), loweredName.c_str()))
                << pattern << " vs " << name;
        }
    }
    scan::JunkTypeTable all;
    for (const char* pattern : patterns) all.Add(pattern, pattern);
    for (const char* name : names) {
        std::string loweredName = platform::LowerAnsi(name);
        const char* first = nullptr;
        std::vector<std::string> sorted(std::begin(patterns), std::end(patterns));
        std::sort(sorted.begin(), sorted.end());
        for (const std::string& pattern : sorted) {
            if (scan::MatchWildcard(platform::LowerAnsi(pattern).c_str(), loweredName.c_str())) {
                first = pattern.c_str();
                break;
            }
        }
        auto match = all.Match(name);
        ASSERT_EQ(match.has_value(), first != nullptr) << name;
        if (first) {
            EXPECT_EQ(match->pattern, first) << name;
        }
    }
}

}  // namespace

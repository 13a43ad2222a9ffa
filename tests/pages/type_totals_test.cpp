// Findings summed by what they were found as: counts, sizes and ticks per
// type, largest first; and what a clean cleaned, by type.
#include <gtest/gtest.h>

#include <vector>

#include "pages/type_totals.h"

namespace {

using pages::TickState;

struct Finding {
    size_t type;
    uint64_t size;
    bool ticked;
};

std::vector<pages::TypeTotal> Totals(size_t types, const std::vector<Finding>& findings) {
    return pages::TotalsByType(
        types, findings.size(), [&](size_t i) { return findings[i].type; }, [&](size_t i) { return findings[i].size; },
        [&](size_t i) { return findings[i].ticked; });
}

TEST(TotalsByType, SumsEachTypeLargestFirstWithHowItIsTicked) {
    // Type 0 partly ticked, type 1 wholly unticked, type 2 wholly ticked,
    // type 3 without findings (every file of it kept, say), type 4 ties
    // type 2 in bytes and has fewer files.
    const std::vector<Finding> findings = {
        {0, 100, true}, {1, 5000, false}, {0, 300, false}, {2, 40, true},
        {1, 7, false},  {2, 60, true},    {4, 100, true},  {9, 1, true},  // type 9 is out of range
    };
    const std::vector<pages::TypeTotal> totals = Totals(5, findings);
    const std::vector<pages::TypeTotal> expected = {
        {1, 2, 5007, 0, 0},
        {0, 2, 400, 1, 100},
        {2, 2, 100, 2, 100},
        {4, 1, 100, 1, 100},
    };
    EXPECT_EQ(totals, expected);
    const TickState states[] = {TickState::None, TickState::Some, TickState::All, TickState::All};
    for (size_t i = 0; i < totals.size(); ++i) EXPECT_EQ(totals[i].Ticks(), states[i]) << i;
}

TEST(TotalsByType, KeepsUpWithTwoHundredThousandFindings) {
    std::vector<Finding> findings;
    for (size_t i = 0; i < 200000; ++i) findings.push_back({i % 7, i, i % 3 != 0});
    const std::vector<pages::TypeTotal> totals = Totals(7, findings);
    ASSERT_EQ(totals.size(), 7u);
    uint64_t files = 0, bytes = 0;
    for (size_t i = 0; i < totals.size(); ++i) {
        files += totals[i].files;
        bytes += totals[i].bytes;
        EXPECT_EQ(totals[i].Ticks(), TickState::Some);
        if (i > 0) {
            EXPECT_GT(totals[i - 1].bytes, totals[i].bytes);
        }
    }
    EXPECT_EQ(files, 200000u);
    EXPECT_EQ(bytes, 199999ull * 200000 / 2);
}

clean::CleanItem Item(const char* path, uint64_t size, const char* foundAs) {
    return clean::CleanItem(path, platform::FileStamp{size, 0}, foundAs);
}

TEST(CleanedByType, CountsOnlyWhatWasCleanedOrWouldBeInAPreview) {
    clean::CleanResult result;
    result.files = {Item("d:\\a.tmp", 10, "Temporary file"), Item("d:\\b.tmp", 20, "Temporary file"),
                    Item("d:\\c.log", 500, "Log file"), Item("d:\\d.bak", 70, "Backup copy"),
                    Item("d:\\e.bak", 5, "Backup copy")};
    using clean::FileOutcome;
    result.outcomes = {FileOutcome::Cleaned, FileOutcome::InUse, FileOutcome::KeptLink, FileOutcome::Cleaned,
                       FileOutcome::Cleaned};
    std::vector<pages::CleanedType> cleaned = pages::CleanedByType(result);
    ASSERT_EQ(cleaned.size(), 2u);  // nothing of the log file went
    EXPECT_EQ(cleaned[0].foundAs, "Backup copy");
    EXPECT_EQ(cleaned[0].files, 2u);
    EXPECT_EQ(cleaned[0].bytes, 75u);
    EXPECT_EQ(cleaned[1].foundAs, "Temporary file");
    EXPECT_EQ(cleaned[1].bytes, 10u);

    result.preview = true;
    cleaned = pages::CleanedByType(result);
    ASSERT_EQ(cleaned.size(), 3u);
    EXPECT_EQ(cleaned[0].foundAs, "Log file");
    EXPECT_EQ(cleaned[2].bytes, 30u);
}

}  // namespace

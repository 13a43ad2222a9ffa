#include <gtest/gtest.h>

#include "options/option_rules.h"

namespace {

TEST(OptionRules, FlagsOutsideZeroToTwoCountAsZero) {
    struct Case {
        int32_t stored, used;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {-1, 0}, {INT32_MIN, 0}, {INT32_MAX, 0}};
    for (const Case& c : cases) EXPECT_EQ(options::ClampFlag(c.stored), c.used) << c.stored;

    config::SearchOptions search{5, 1, -2, 2, 9, 1, 77};
    options::ClampFlags(search);
    EXPECT_EQ(search, (config::SearchOptions{0, 1, 0, 2, 0, 1, 77}));
    config::CleanOptions clean{1, 3, -1, 2, "d:\\x", 5, 0};
    options::ClampFlags(clean);
    EXPECT_EQ(clean, (config::CleanOptions{1, 0, 0, 2, "d:\\x", 0, 30}));
}

TEST(OptionRules, MonthsAreDigitsOnlyAndSaturate) {
    struct Case {
        const char* text;
        std::optional<uint32_t> months;
    } cases[] = {
        {"0", 0u},          {"6", 6u},           {"007", 7u},           {" 12 ", 12u},
        {"4294967295", 4294967295u},             {"99999999999999999999", 4294967295u},
        {"", std::nullopt}, {"  ", std::nullopt}, {"-1", std::nullopt}, {"3x", std::nullopt},
        {"1 2", std::nullopt}, {"+5", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(options::ParseMonths(c.text), c.months) << '"' << c.text << '"';
    EXPECT_EQ(options::ParseMonths(options::FormatMonths(4294967295u)), 4294967295u);
    // The days of the backups' age: the same counts, held to 1..3650.
    const std::pair<const char*, std::optional<int32_t>> days[] = {
        {"0", 1}, {"1", 1}, {" 30 ", 30}, {"3650", 3650}, {"3651", 3650}, {"99999999999999999999", 3650},
        {"", std::nullopt}, {"-3", std::nullopt}, {"1e3", std::nullopt},
    };
    for (const auto& [text, age] : days) EXPECT_EQ(options::ParseSetAgeDays(text), age) << '"' << text << '"';
}

TEST(OptionRules, RowToSelectAfterReloadAndDelete) {
    struct Case {
        int row, count, afterReload, afterDelete;
    } cases[] = {
        {-1, 0, -1, -1}, {-1, 3, 0, 0}, {0, 0, -1, -1}, {1, 3, 1, 1},
        {2, 3, 2, 2},    {3, 3, 2, 2},  {7, 2, 1, 1},   {0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(options::RowAfterReload(c.row, c.count), c.afterReload) << c.row << " of " << c.count;
        EXPECT_EQ(options::RowAfterDelete(c.row, c.count), c.afterDelete) << c.row << " of " << c.count;
    }
}

TEST(OptionRules, PagePlacementNeverTurnsInsideOut) {
    RECT tiny = options::PagePlacement({0, 0, 6, 8}, 20, 2);
    EXPECT_GE(tiny.right, tiny.left);
    EXPECT_GE(tiny.bottom, tiny.top);
    RECT two = options::PagePlacement({0, 0, 400, 300}, 20, 2);
    EXPECT_EQ(two.top, 45);
    EXPECT_EQ(two.bottom, 295);
}

}  // namespace

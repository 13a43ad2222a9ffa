// The session the pages share: ticks and their totals, the report's order,
// and what a clean takes from them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_harness.h"
#include "pages/session.h"

namespace {

using pagetest::Found;
using Change = pages::Session::TickChange;

pages::Session WithFindings(const std::vector<Found>& files) {
    pages::Session session;
    session.SetFindings(pagetest::FindingsOf(files));
    return session;
}

TEST(Session, TicksKeepTheirTotalsWhateverChangesThem) {
    pages::Session session = WithFindings({{"d:\\a.tmp", "t", 100}, {"d:\\b.tmp", "t", 6ull << 30}, {"d:\\c.tmp", "t", 1}});
    EXPECT_EQ(session.Taken(), (pages::TakenTotals{3, (6ull << 30) + 101})) << "a new scan is all ticked";
    struct Step {
        const char* label;
        std::function<void()> change;
        pages::TakenTotals taken;
    } steps[] = {
        {"untick the large one", [&] { session.SetTicked(1, false); }, {2, 101}},
        {"untick it again", [&] { session.SetTicked(1, false); }, {2, 101}},
        {"a finding that is none", [&] { session.SetTicked(7, false); }, {2, 101}},
        {"invert", [&] { session.ChangeAllTicks(Change::Invert); }, {1, 6ull << 30}},
        {"untick all", [&] { session.ChangeAllTicks(Change::UntickAll); }, {0, 0}},
        {"tick one", [&] { session.SetTicked(2, true); }, {1, 1}},
        {"tick all", [&] { session.ChangeAllTicks(Change::TickAll); }, {3, (6ull << 30) + 101}},
    };
    for (const Step& step : steps) {
        step.change();
        EXPECT_EQ(session.Taken(), step.taken) << step.label;
    }
}

TEST(Session, ACleanTakesTheTickedFindingsInTheRowsOrderWithWhatTheScanListed) {
    pages::Session session = WithFindings({{"d:\\x\\b.tmp", "Temporary", 2},
                                           {"d:\\x\\a.log", "Log", 1},
                                           {"d:\\y\\c.tmp", "Temporary", 3}});
    const uint64_t before = session.FindingsVersion();
    session.SetTicked(2, false);
    // By name: a.log, b.tmp, c.tmp.
    session.SortRows([&](size_t a, size_t b) { return session.Findings().Name(a) < session.Findings().Name(b); });
    EXPECT_EQ(session.FindingAt(0), 1u);
    const clean::CleanList taken = session.TakenFiles();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0], clean::CleanItem("d:\\x\\a.log", platform::FileStamp{1, 0}, "Log"));
    EXPECT_EQ(taken[1], clean::CleanItem("d:\\x\\b.tmp", platform::FileStamp{2, 0}, "Temporary"));

    // A new scan starts over: all ticked, in its own order.
    session.SetFindings(pagetest::FindingsOf({{"d:\\z\\2.tmp"}, {"d:\\z\\1.tmp"}}));
    EXPECT_NE(session.FindingsVersion(), before);
    EXPECT_EQ(session.RowCount(), 2u);
    EXPECT_EQ(session.FindingAt(0), 0u);
    EXPECT_EQ(session.TakenFiles().size(), 2u);
    EXPECT_EQ(session.TakenFiles()[0].path, "d:\\z\\2.tmp");
}

}  // namespace

// The drive selection page in its real window: the tree's three states,
// lazy listing, stored selections and the page's buttons.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "config/settings.h"
#include "page_harness.h"
#include "pages/check_tree.h"
#include "pages/drive_listing.h"
#include "pages/drive_selection_page.h"
#include "pages/page_protocol.h"
#include "pages/resource_ids.h"
#include "support/modal_answerer.h"
#include "support/ui/unexpected_services.h"
#include "ui/tree_view.h"

namespace {

using pagetest::FakeWizard;
using pagetest::PagePlace;
using pagetest::SettingsPlan;
using testsupport::MakeFolders;

struct DialogCall {
    HWND owner;
    int tab;
};
std::vector<DialogCall> g_dialogCalls;
INT_PTR RecordOptions(HWND owner, int tab) {
    g_dialogCalls.push_back({owner, tab});
    return IDCANCEL;
}

// The tree names drives in capitals; scratch folders come in lower case.
std::string AsShown(std::string path) {
    path[0] = static_cast<char>(::toupper(path[0]));
    return path;
}

SettingsPlan Selected(std::vector<std::string> paths) {
    SettingsPlan plan;
    plan.selectedPaths = std::move(paths);
    return plan;
}

// The page in a test wizard, with helpers that find items by what they show.
class DrivePageTest : public ::testing::Test {
protected:
    void Open(const SettingsPlan& plan = {}, pages::RunMode mode = pages::RunMode::Interactive) {
        wizard_.reset();
        place_.reset();
        place_ = std::make_unique<PagePlace>(plan);
        wizard_ = std::make_unique<FakeWizard>();
        pages::Services services = testsupport::UnexpectedServices();
        services.options = [](HWND owner, int tab, const ui::FolderBrowser&) { return RecordOptions(owner, tab); };
        auto page = std::make_unique<pages::DriveSelectionPage>(services, mode);
        page_ = &wizard_->Add(pages::kDriveSelectionPage, std::move(page), IDD_PG_DRIVE_SELECTION);
        tree_.Attach(page_->Item(IDC_PG_DRIVE_TREE));
        wizard_->Show(pages::kDriveSelectionPage);
    }
    void TearDown() override {
        wizard_.reset();
        place_.reset();
        g_dialogCalls.clear();
    }

    HTREEITEM Computer() const { return tree_.FirstRoot(); }
    HTREEITEM Drive(char letter) const {
        std::string suffix = std::string("(") + letter + ":)";
        for (HTREEITEM item = tree_.FirstChild(Computer()); item; item = tree_.NextSibling(item)) {
            std::string text = tree_.Text(item);
            if (text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0) {
                return item;
            }
        }
        return nullptr;
    }
    HTREEITEM Child(HTREEITEM parent, const std::string& name) const {
        for (HTREEITEM item = tree_.FirstChild(parent); item; item = tree_.NextSibling(item)) {
            if (tree_.Text(item) == name) return item;
        }
        return nullptr;
    }
    // The item for a scratch folder path such as d:\name-1\Old.
    HTREEITEM Folder(const std::string& path) {
        HTREEITEM item = Drive(static_cast<char>(::toupper(path[0])));
        size_t start = 3;
        while (item && start < path.size()) {
            size_t end = path.find('\\', start);
            if (end == std::string::npos) end = path.size();
            tree_.Expand(item);
            item = Child(item, path.substr(start, end - start));
            start = end + 1;
        }
        return item;
    }
    int State(HTREEITEM item) const { return tree_.StateImage(item); }

    // A mouse click on the item's check box, where the tree itself says it is.
    void ClickCheckBox(HTREEITEM item) {
        tree_.Select(item);  // scrolls it into view
        RECT text = tree_.ItemRect(item, true);
        int y = (text.top + text.bottom) / 2;
        for (int x = text.left - 1; x >= 0; --x) {
            UINT flags = 0;
            if (tree_.HitTest({x, y}, &flags) == item && (flags & TVHT_ONITEMSTATEICON)) {
                ::SendMessageA(tree_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
                ::SendMessageA(tree_.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
                return;
            }
        }
        ADD_FAILURE() << "no check box found for " << tree_.Text(item);
    }
    void PressSpace(HTREEITEM item) {
        tree_.Select(item);
        ::SendMessageA(tree_.Hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    }

    std::unique_ptr<FakeWizard> wizard_;
    std::unique_ptr<PagePlace> place_;
    pages::DriveSelectionPage* page_ = nullptr;
    ui::TreeView tree_;
};

TEST_F(DrivePageTest, ListsTheComputerAndEveryFixedDriveWithPlaceholdersForUnlistedFolders) {
    std::string folder = testsupport::NewScratchFolder("listed", 'e');
    MakeFolders(folder + "\\inner");
    Open();
    EXPECT_EQ(tree_.Text(Computer()), "Computer");
    EXPECT_TRUE(tree_.Expanded(Computer()));
    std::vector<std::string> shown;
    for (HTREEITEM item = tree_.FirstChild(Computer()); item; item = tree_.NextSibling(item)) {
        shown.push_back(tree_.Text(item).substr(tree_.Text(item).find('(')));
        EXPECT_EQ(State(item), pages::kUnticked);
    }
    std::vector<std::string> expected;
    for (const std::string& root : pages::FixedDriveRoots()) expected.push_back("(" + root.substr(0, 2) + ")");
    EXPECT_EQ(shown, expected);
    ASSERT_TRUE(Drive('D') && Drive('E'));

    // Folders appear on first expansion, in place of the placeholder; files never do.
    testsupport::WriteFile(folder + "\\file.txt", "x");
    HTREEITEM drive = Drive('E');
    ASSERT_TRUE(tree_.FirstChild(drive));
    EXPECT_EQ(tree_.Text(tree_.FirstChild(drive)), pages::DriveSelectionPage::kPlaceholderText);
    EXPECT_EQ(State(tree_.FirstChild(drive)), pages::kNoCheckBox);
    HTREEITEM listed = Folder(folder);
    ASSERT_TRUE(listed);
    tree_.Expand(listed);
    ASSERT_TRUE(Child(listed, "inner"));
    EXPECT_EQ(tree_.NextSibling(tree_.FirstChild(listed)), nullptr);
    EXPECT_EQ(tree_.FirstChild(Child(listed, "inner")), nullptr);  // empty folder: no expand button
}

TEST_F(DrivePageTest, ClicksOnCheckBoxesAndSpaceToggleWithPropagation) {
    std::string folder = testsupport::NewScratchFolder("toggle", 'e');
    for (const char* name : {"a", "b", "c"}) MakeFolders(folder + "\\" + name);
    Open();
    HTREEITEM parent = Folder(folder);
    tree_.Expand(parent);
    HTREEITEM a = Child(parent, "a"), b = Child(parent, "b"), c = Child(parent, "c");
    ASSERT_TRUE(a && b && c);

    ClickCheckBox(a);
    EXPECT_EQ(State(a), pages::kTicked);
    EXPECT_EQ(State(parent), pages::kPartlyTicked);
    EXPECT_EQ(State(Drive('E')), pages::kPartlyTicked);
    EXPECT_EQ(State(Computer()), pages::kPartlyTicked);

    // Clicking the text does not toggle.
    RECT text = tree_.ItemRect(b, true);
    LPARAM point = MAKELPARAM(text.left + 2, (text.top + text.bottom) / 2);
    // The tree tracks the mouse until the button comes up: queue that first.
    ::PostMessageA(tree_.Hwnd(), WM_LBUTTONUP, 0, point);
    ::SendMessageA(tree_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    pagetest::PumpPending();
    EXPECT_EQ(State(b), pages::kUnticked);

    PressSpace(b);
    PressSpace(c);
    EXPECT_EQ(State(parent), pages::kTicked) << "all folders ticked make the parent ticked";
    std::vector<std::string> paths = page_->TickedPaths();
    EXPECT_EQ(paths, std::vector<std::string>{AsShown(folder)});

    PressSpace(parent);  // ticked -> unticked, all the way down
    for (HTREEITEM item : {a, b, c, parent}) EXPECT_EQ(State(item), pages::kUnticked);
    EXPECT_EQ(State(Computer()), pages::kUnticked);
    ClickCheckBox(parent);
    for (HTREEITEM item : {a, b, c}) EXPECT_EQ(State(item), pages::kTicked);
}

TEST_F(DrivePageTest, TickingEveryFolderOfADriveTicksTheDriveAndStoresTheDrive) {
    MakeFolders("d:\\one");
    MakeFolders("d:\\two");
    Open();
    HTREEITEM drive = Drive('D');
    tree_.Expand(drive);
    for (HTREEITEM item = tree_.FirstChild(drive); item; item = tree_.NextSibling(item)) PressSpace(item);
    EXPECT_EQ(State(drive), pages::kTicked);
    EXPECT_EQ(page_->TickedPaths(), std::vector<std::string>{"D:"});

    // Unticking one folder again stores its siblings, not the drive.
    PressSpace(Child(drive, "one"));
    EXPECT_EQ(State(drive), pages::kPartlyTicked);
    EXPECT_EQ(State(Computer()), pages::kPartlyTicked);
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, pages::kNextButton, 0);
    std::vector<std::string> stored = config::LoadSelectedPaths();
    EXPECT_TRUE(std::find(stored.begin(), stored.end(), "D:\\two") != stored.end());
    EXPECT_TRUE(std::find(stored.begin(), stored.end(), "D:\\one") == stored.end());
    EXPECT_TRUE(std::find(stored.begin(), stored.end(), "D:") == stored.end());
    EXPECT_EQ(wizard_->showRequests, std::vector<int>{pages::kScanningPage});
}

TEST_F(DrivePageTest, ExpandingATickedDriveShowsItsFoldersTicked) {
    std::string folder = testsupport::NewScratchFolder("ticked", 'e');
    MakeFolders(folder + "\\deep");
    MakeFolders("d:\\unlisted");
    Open(Selected({"E:"}));
    HTREEITEM drive = Drive('E');
    EXPECT_EQ(State(drive), pages::kTicked);
    HTREEITEM item = Folder(folder);
    ASSERT_TRUE(item);
    EXPECT_EQ(State(item), pages::kTicked);
    tree_.Expand(item);
    EXPECT_EQ(State(Child(item, "deep")), pages::kTicked);

    // Ticking reaches every listed item below, but placeholders of folders not
    // listed yet get no check box.
    HTREEITEM unlisted = Drive('D');
    ASSERT_EQ(tree_.Text(tree_.FirstChild(unlisted)), pages::DriveSelectionPage::kPlaceholderText);
    PressSpace(unlisted);
    EXPECT_EQ(State(unlisted), pages::kTicked);
    EXPECT_EQ(State(tree_.FirstChild(unlisted)), pages::kNoCheckBox);
}

TEST_F(DrivePageTest, StoredPathsTickTheirItemsWhateverTheirCaseAndTrailingBackslash) {
    std::string base = AsShown(testsupport::NewScratchFolder("Data", 'd'));
    MakeFolders(base + "\\Old");
    MakeFolders(base + "\\New");
    std::string lower = base + "\\old";
    for (char& ch : lower) ch = static_cast<char>(::tolower(ch));
    struct Case {
        std::string stored;
        std::string ticked;
    } cases[] = {
        {base + "\\Old", base + "\\Old"},
        {lower, base + "\\Old"},
        {base + "\\New\\", base + "\\New"},
        {"d:\\", "D:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Open(Selected({c.stored}));
        HTREEITEM item = c.ticked == "D:" ? Drive('D') : Folder(c.ticked);
        ASSERT_TRUE(item);
        EXPECT_EQ(State(item), pages::kTicked);
        if (c.ticked != "D:") {
            EXPECT_TRUE(tree_.Expanded(Drive('D')));
            EXPECT_TRUE(tree_.Expanded(Folder(base)));
            EXPECT_EQ(State(Folder(base)), pages::kPartlyTicked);
            EXPECT_EQ(State(Drive('D')), pages::kPartlyTicked);
            EXPECT_EQ(State(Computer()), pages::kPartlyTicked);
        }
        // What is stored again is the item's own path.
        EXPECT_EQ(page_->TickedPaths(), std::vector<std::string>{c.ticked});
    }
}

TEST_F(DrivePageTest, StoredPathsThatMatchNothingTickNothingAndOpenNoUnrelatedFolder) {
    std::string close = testsupport::NewScratchFolder("near", 'd');
    MakeFolders(close + "\\child");
    // A folder whose name starts like the stored one's is not on its way.
    Open(Selected({close + "er\\gone", "q:\\nowhere"}));
    EXPECT_TRUE(page_->TickedPaths().empty());
    HTREEITEM item = Child(Drive('D'), close.substr(3));
    ASSERT_TRUE(item);
    EXPECT_FALSE(tree_.Expanded(item));
    // Destroying the page keeps the stored paths it could not show (a drive
    // not plugged in, a folder not made yet): the user did not change them.
    // Before, they were gone for every later run.
    ::DestroyWindow(page_->Hwnd());
    EXPECT_EQ(config::LoadSelectedPaths(), (std::vector<std::string>{close + "er\\gone", "q:\\nowhere"}));
}

// What the user ticks is stored, and with it the stored paths the tree could
// not show, unless a ticked path holds them already.
TEST_F(DrivePageTest, NextStoresTheTickedPathsAndKeepsThoseTheTreeCouldNotShow) {
    Open(Selected({"q:\\nowhere", "D:\\not-made-yet\\deep"}));
    PressSpace(Drive('D'));
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, pages::kNextButton, 0);
    EXPECT_EQ(config::LoadSelectedPaths(), (std::vector<std::string>{"D:", "q:\\nowhere"}));
}

TEST_F(DrivePageTest, NextWithNothingTickedAsksForADriveAndStaysUnlessAnApplicationIsTicked) {
    Open(Selected({"D:\\stays"}));
    testsupport::ModalAnswerer boxes;
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, pages::kNextButton, 0);
    EXPECT_EQ(boxes.Messages(), std::vector<std::string>{"Please select a drive"});
    EXPECT_TRUE(wizard_->showRequests.empty());
    EXPECT_EQ(config::LoadSelectedPaths(), std::vector<std::string>{"D:\\stays"}) << "nothing stored";

    // Ticked application rules are something to scan for by themselves.
    config::SaveCheckedRules({"Tool: cache"});
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, pages::kNextButton, 0);
    EXPECT_EQ(boxes.Messages().size(), 1u);
    EXPECT_FALSE(wizard_->showRequests.empty());
    // The ticks are those the stored paths gave: the selection stays as it was.
    EXPECT_EQ(config::LoadSelectedPaths(), std::vector<std::string>{"D:\\stays"});
}

TEST_F(DrivePageTest, NextWithOnlyTheComputerTickedStoresEveryFixedDrive) {
    Open();
    PressSpace(Computer());
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, pages::kNextButton, 0);
    std::vector<std::string> expected;
    for (const std::string& root : pages::FixedDriveRoots()) expected.push_back(root.substr(0, 2));
    EXPECT_EQ(config::LoadSelectedPaths(), expected);
}

TEST_F(DrivePageTest, ButtonsOpenTheOptionsOnTheirTabsAndBackShowsTheWelcomePage) {
    Open();
    EXPECT_EQ(wizard_->enableMasks, std::vector<int>{pages::kEnableNext | pages::kEnableBack});
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, IDC_PG_SEARCH_OPTIONS, 0);
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, IDC_PG_EXCLUDING_FOLDERS, 0);
    ASSERT_EQ(g_dialogCalls.size(), 2u);
    EXPECT_EQ(g_dialogCalls[0].tab, 1);
    EXPECT_EQ(g_dialogCalls[1].tab, 2);
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, pages::kBackButton, 0);
    EXPECT_EQ(wizard_->showRequests, std::vector<int>{pages::kWelcomePage});
}

TEST_F(DrivePageTest, WithAutoTheStoredSelectionIsScannedAtOnce) {
    Open(Selected({"D:\\kept"}), pages::RunMode::Unattended);
    EXPECT_EQ(wizard_->showRequests, std::vector<int>{pages::kScanningPage});
    EXPECT_EQ(config::LoadSelectedPaths(), std::vector<std::string>{"D:\\kept"}) << "not collected again";
}

}  // namespace

#pragma once
// The small rules the option pages apply between the settings records and
// their controls, kept apart from the windows so that they can be checked
// on their own.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"
#include "ui/popup_menu.h"

namespace options {

// A stored flag outside 0..2 is not trusted and counts as 0; a stored set
// age outside 1..3650 days reads as the suggested 30.
int32_t ClampFlag(int32_t flag);
void ClampFlags(config::SearchOptions& options);
void ClampFlags(config::CleanOptions& options);
void ClampFlags(config::AdvCleanOptions& options);

// The month count as the months box shows it.
std::string FormatMonths(uint32_t months);
// The months box's text as a month count: decimal digits only, with blanks
// around them allowed; a count beyond the largest one saturates. Nothing
// when the text is empty or not a number.
std::optional<uint32_t> ParseMonths(std::string_view text);

// The days box's text as the age of the backup sets kept: a count as for
// the months, held to 1..3650 days. Nothing when it is not a count.
std::optional<int32_t> ParseSetAgeDays(std::string_view text);

// The row to select after a list was filled anew, given the row selected
// before (-1 for none): the same index, or the last row when the list got
// shorter; the first row when none was selected. -1 for an empty list.
int RowAfterReload(int previous, int count);
// The row to select after deleting row `deleted`, leaving `count` rows.
int RowAfterDelete(int deleted, int count);

// Where a page lies inside the tab control's client area: 5 pixels from its
// left, right and bottom edges and 5 pixels below the rows of tabs.
RECT PagePlacement(const RECT& tabClient, int tabHeight, int tabRows);

// How far a key pressed with Ctrl moves through the tabs: Tab and Page Down
// one forward, Shift+Tab and Page Up one back; 0 for other keys.
int TabStep(UINT key, bool shift);
// The tab `step` tabs away from `current`, going round.
int StepTab(int current, int step, int count);

// The context menus of the two lists, by whether a row is selected.
enum JunkTypeCommand : int {
    kJunkAdd = 1,
    kJunkDelete = 2,
    kJunkEdit = 3,
    kJunkCheckAll = 4,
    kJunkUncheckAll = 5,
};
std::vector<ui::MenuEntry> JunkTypeMenu(bool rowSelected);

enum SkipFolderCommand : int {
    kSkipFolderAdd = 1,
    kSkipFolderDelete = 2,
};
std::vector<ui::MenuEntry> SkipFolderMenu(bool rowSelected);

// The keep list's menu: its add icon offers the two kinds of entry, the
// list also the removal of a selected row.
enum KeepListCommand : int {
    kKeepAddFile = 11,
    kKeepAddFolder = 12,
    kKeepRemove = 13,
};
std::vector<ui::MenuEntry> KeepListMenu(bool onList, bool rowSelected);

}  // namespace options

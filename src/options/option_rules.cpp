#include "options/option_rules.h"

#include <algorithm>

namespace options {

int32_t ClampFlag(int32_t flag) { return flag < 0 || flag > 2 ? 0 : flag; }

void ClampFlags(config::SearchOptions& o) {
    for (int32_t* flag : {&o.skipReadOnlyFiles, &o.skipHiddenFiles, &o.skipSystemFiles, &o.findZeroLengthFiles,
                          &o.findInvalidShortcuts, &o.findFilesNotAccessed}) {
        *flag = ClampFlag(*flag);
    }
}

void ClampFlags(config::CleanOptions& o) {
    for (int32_t* flag : {&o.clean, &o.moveToRecycle, &o.moveToFolder, &o.backup, &o.removeOldSets}) {
        *flag = ClampFlag(*flag);
    }
    o.setAgeDays = config::SoundSetAgeDays(o.setAgeDays);
}

void ClampFlags(config::AdvCleanOptions& options) {
    for (int32_t& flag : options) flag = ClampFlag(flag);
}

std::string FormatMonths(uint32_t months) { return std::to_string(months); }

std::optional<uint32_t> ParseMonths(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(c - '0'), UINT32_MAX);
    }
    return static_cast<uint32_t>(value);
}

std::optional<int32_t> ParseSetAgeDays(std::string_view text) {
    std::optional<uint32_t> count = ParseMonths(text);
    if (!count) return std::nullopt;
    return static_cast<int32_t>(
        std::clamp<uint32_t>(*count, config::kMinSetAgeDays, config::kMaxSetAgeDays));
}

int RowAfterReload(int previous, int count) {
    if (count <= 0) return -1;
    if (previous < 0) return 0;
    return std::min(previous, count - 1);
}

int RowAfterDelete(int deleted, int count) {
    if (count <= 0) return -1;
    return std::clamp(deleted, 0, count - 1);
}

RECT PagePlacement(const RECT& tabClient, int tabHeight, int tabRows) {
    constexpr int kMargin = 5;
    RECT page{tabClient.left + kMargin, tabClient.top + tabHeight * tabRows + kMargin, tabClient.right - kMargin,
              tabClient.bottom - kMargin};
    if (page.right < page.left) page.right = page.left;
    if (page.bottom < page.top) page.bottom = page.top;
    return page;
}

int TabStep(UINT key, bool shift) {
    switch (key) {
        case VK_TAB: return shift ? -1 : 1;
        case VK_NEXT: return 1;
        case VK_PRIOR: return -1;
        default: return 0;
    }
}

int StepTab(int current, int step, int count) {
    if (count <= 0) return -1;
    return ((current + step) % count + count) % count;
}

std::vector<ui::MenuEntry> JunkTypeMenu(bool rowSelected) {
    std::vector<ui::MenuEntry> menu{{kJunkAdd, "_arjMenuAdd"}};
    if (rowSelected) {
        menu.push_back({kJunkDelete, "_arjMenuDel"});
        menu.push_back({kJunkEdit, "_arjMenuEdit"});
    }
    menu.push_back({0, nullptr});
    menu.push_back({kJunkCheckAll, "_arjMenuSelectAll"});
    menu.push_back({kJunkUncheckAll, "_arjMenuDeselectAll"});
    return menu;
}

std::vector<ui::MenuEntry> SkipFolderMenu(bool rowSelected) {
    std::vector<ui::MenuEntry> menu{{kSkipFolderAdd, "_sfMenuAddNew"}};
    if (rowSelected) menu.push_back({kSkipFolderDelete, "_sfMenuDel"});
    return menu;
}

std::vector<ui::MenuEntry> KeepListMenu(bool onList, bool rowSelected) {
    std::vector<ui::MenuEntry> menu{{kKeepAddFile, "_kpMenuAddFile"}, {kKeepAddFolder, "_kpMenuAddFolder"}};
    if (onList && rowSelected) menu.push_back({kKeepRemove, "_kpMenuRemove"});
    return menu;
}

}  // namespace options

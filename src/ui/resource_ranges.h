#pragma once
// The resource ids of the program file. Every folder's resource script is
// compiled in one unit and linked into one program file, so an id of one
// kind (dialog, icon, bitmap) names one resource of the whole program: each
// folder takes its ids of a kind from its own ranges below, and the ranges
// of a kind never overlap. The ids of existing resources are fixed (the
// dialogs are found by them), which is why some ranges hold a single id.
// Control ids belong to their dialog and may repeat across dialogs.
// tests/app/resources_test.cpp checks every folder's ids against its ranges.

// The program's icon: the wizard's and the options dialog's window icon.
#define IDI_PROGRAM 128

#ifndef RC_INVOKED

#include <string_view>

namespace ui {

enum class ResourceKind { Dialog, Icon, Bitmap };

struct ResourceRange {
    std::string_view folder;
    ResourceKind kind;
    int first;
    int last;
};

inline constexpr ResourceRange kResourceRanges[] = {
    {"app", ResourceKind::Dialog, 128, 131},
    {"app", ResourceKind::Dialog, 137, 139},
    {"app", ResourceKind::Icon, 128, 128},
    {"app", ResourceKind::Icon, 200, 205},
    {"app", ResourceKind::Icon, 208, 215},
    {"app", ResourceKind::Bitmap, 206, 215},
    {"pages", ResourceKind::Dialog, 132, 135},
    {"pages", ResourceKind::Dialog, 260, 269},
    {"pages", ResourceKind::Icon, 216, 219},
    {"pages", ResourceKind::Bitmap, 200, 205},
    {"options", ResourceKind::Dialog, 136, 136},
    {"options", ResourceKind::Dialog, 300, 309},
    {"options", ResourceKind::Icon, 310, 319},
    {"options", ResourceKind::Icon, 330, 339},
    {"options", ResourceKind::Bitmap, 320, 329},
    {"rescue", ResourceKind::Dialog, 220, 229},
    {"rescue", ResourceKind::Icon, 206, 207},
};

// The folder whose ranges hold an id of a kind; empty when none does.
constexpr std::string_view ResourceFolderOf(ResourceKind kind, int id) {
    for (const ResourceRange& range : kResourceRanges) {
        if (range.kind == kind && id >= range.first && id <= range.last) return range.folder;
    }
    return {};
}

// True when no two ranges of a kind share an id.
constexpr bool ResourceRangesApart() {
    for (const ResourceRange& a : kResourceRanges) {
        for (const ResourceRange& b : kResourceRanges) {
            if (&a != &b && a.kind == b.kind && a.first <= b.last && b.first <= a.last) return false;
        }
    }
    return true;
}
static_assert(ResourceRangesApart(), "two folders' resource ranges overlap");

}  // namespace ui

#endif  // RC_INVOKED

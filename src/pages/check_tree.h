#pragma once
// The three-state check logic of the drive tree, over any tree that can
// answer a few questions about its items. The drive selection page adapts
// its tree-view control to it; tests may use a tree in memory.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pages {

// Check states (the index of an item's state image).
enum CheckState : int {
    kNoCheckBox = 0,  // placeholder items
    kUnticked = 1,
    kPartlyTicked = 2,
    kTicked = 3,
};

class CheckTree {
public:
    using Item = std::uintptr_t;  // 0 is no item
    virtual ~CheckTree() = default;

    virtual Item FirstTopLevel() const = 0;
    virtual Item FirstChild(Item item) const = 0;
    virtual Item NextSibling(Item item) const = 0;
    virtual Item Parent(Item item) const = 0;
    virtual int State(Item item) const = 0;
    virtual void SetState(Item item, int state) = 0;
    // The path attached to the item, or null (the computer item, placeholders);
    // valid until the next Expand, which may add items.
    virtual const std::string* Path(Item item) const = 0;
    // Expands the item, filling its children first if they are not there yet.
    virtual void Expand(Item item) = 0;
};

// The state a click or Space gives an item: ticked becomes unticked, and
// unticked or partly ticked becomes ticked. Items without a check box stay.
int ToggledState(int state);

// Gives the item a new state, every item below it the same state, and its
// ancestors the state that now describes what lies below them.
void SetCheckState(CheckTree& tree, CheckTree::Item item, int state);

// The paths to search: a ticked item with a path stands for everything below
// it; partly ticked items (and a ticked computer item) are looked into.
std::vector<std::string> CollectTickedPaths(const CheckTree& tree);

// Finds the item of a stored path, expanding the items on the way, and
// ticks it. Returns false when no item matches (nothing is ticked).
bool TickStoredPath(CheckTree& tree, std::string_view storedPath);

// The paths to store: the ticked ones, then the stored paths the tree could
// not show (a drive not plugged in, a folder not made yet), which the user
// could not change and which stay as they were, unless a ticked path already
// holds them. When the ticks are those the stored paths gave, the stored
// list stays exactly as it is.
std::vector<std::string> PathsToStore(std::vector<std::string> ticked, const std::vector<std::string>& stored,
                                      const std::vector<std::string>& notShown);

// A path as compared when stored paths are matched: lower-cased with the
// system's ANSI mapping and without one trailing backslash.
std::string MatchKey(std::string_view path);

}  // namespace pages

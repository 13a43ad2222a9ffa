#include "pages/check_tree.h"

#include <algorithm>

#include "paths/path_text.h"
#include "platform/codepage.h"

namespace pages {

namespace {

using Item = CheckTree::Item;

void SetSubtree(CheckTree& tree, Item item, int state) {
    for (Item child = tree.FirstChild(item); child; child = tree.NextSibling(child)) {
        // Placeholders stay without a check box.
        if (tree.State(child) != kNoCheckBox) tree.SetState(child, state);
        SetSubtree(tree, child, state);
    }
}

// True when every sibling of item (itself included) that has a check box
// is in the given state.
bool SiblingsAllIn(const CheckTree& tree, Item parent, int state) {
    for (Item child = tree.FirstChild(parent); child; child = tree.NextSibling(child)) {
        int s = tree.State(child);
        if (s != kNoCheckBox && s != state) return false;
    }
    return true;
}

void CollectBelow(const CheckTree& tree, Item first, std::vector<std::string>& out) {
    for (Item item = first; item; item = tree.NextSibling(item)) {
        int state = tree.State(item);
        const std::string* path = tree.Path(item);
        if (state == kTicked && path) {
            out.push_back(*path);
        } else if (state == kTicked || state == kPartlyTicked) {
            CollectBelow(tree, tree.FirstChild(item), out);
        }
    }
}

// True when key names a folder below the item whose key is itemKey.
bool LiesBelow(const std::string& key, const std::string& itemKey) {
    return key.size() > itemKey.size() && key.compare(0, itemKey.size(), itemKey) == 0 && key[itemKey.size()] == '\\';
}

bool TickBelow(CheckTree& tree, Item first, const std::string& key) {
    for (Item item = first; item; item = tree.NextSibling(item)) {
        const std::string* path = tree.Path(item);
        if (!path) {
            if (tree.State(item) == kNoCheckBox) continue;  // a placeholder
            tree.Expand(item);
            if (TickBelow(tree, tree.FirstChild(item), key)) return true;
            continue;
        }
        std::string itemKey = MatchKey(*path);
        if (itemKey == key) {
            SetCheckState(tree, item, kTicked);
            return true;
        }
        if (LiesBelow(key, itemKey)) {
            tree.Expand(item);
            if (TickBelow(tree, tree.FirstChild(item), key)) return true;
        }
    }
    return false;
}

}  // namespace

int ToggledState(int state) {
    switch (state) {
        case kTicked:
            return kUnticked;
        case kUnticked:
        case kPartlyTicked:
            return kTicked;
        default:
            return state;
    }
}

void SetCheckState(CheckTree& tree, Item item, int state) {
    tree.SetState(item, state);
    SetSubtree(tree, item, state);
    for (Item parent = tree.Parent(item); parent; parent = tree.Parent(parent)) {
        if (!SiblingsAllIn(tree, parent, state)) {
            for (Item up = parent; up; up = tree.Parent(up)) {
                if (tree.State(up) != kNoCheckBox) tree.SetState(up, kPartlyTicked);
            }
            return;
        }
        tree.SetState(parent, state);
    }
}

std::vector<std::string> CollectTickedPaths(const CheckTree& tree) {
    std::vector<std::string> paths;
    CollectBelow(tree, tree.FirstTopLevel(), paths);
    return paths;
}

bool TickStoredPath(CheckTree& tree, std::string_view storedPath) {
    std::string key = MatchKey(storedPath);
    if (key.empty()) return false;
    return TickBelow(tree, tree.FirstTopLevel(), key);
}

std::vector<std::string> PathsToStore(std::vector<std::string> ticked, const std::vector<std::string>& stored,
                                      const std::vector<std::string>& notShown) {
    std::vector<std::string> keys;
    for (const std::string& path : ticked) keys.push_back(MatchKey(path));
    std::vector<std::string> shownKeys;
    for (const std::string& path : stored) {
        if (std::find(notShown.begin(), notShown.end(), path) == notShown.end()) shownKeys.push_back(MatchKey(path));
    }
    if (shownKeys == keys) return stored;
    for (const std::string& path : notShown) {
        const std::string key = MatchKey(path);
        bool held = false;
        for (const std::string& tickedKey : keys) held |= key == tickedKey || LiesBelow(key, tickedKey);
        if (held) continue;
        ticked.push_back(path);
        keys.push_back(key);
    }
    return ticked;
}

std::string MatchKey(std::string_view path) {
    std::string key = paths::WithoutTrailingBackslash(path);
    platform::LowerAnsiInPlace(key);
    return key;
}

}  // namespace pages

#pragma once
// Wizard page 1: the fixed drives and their folders in a tree with
// three-state check boxes. Next stores the ticked paths and starts the scan.
#include <string>
#include <utility>
#include <vector>

#include "pages/services.h"
#include "pages/wizard_page.h"
#include "ui/gdi.h"
#include "ui/layout.h"
#include "ui/skinned_controls.h"
#include "ui/tree_view.h"

namespace pages {

class DriveSelectionPage : public WizardPage {
public:
    explicit DriveSelectionPage(Services services, RunMode mode = RunMode::Interactive)
        : WizardPage(kDriveSelectionPage, mode), services_(std::move(services)) {}
    // The paths Next would store now.
    std::vector<std::string> TickedPaths() const;

    // Text of the child that stands for folders not listed yet.
    static constexpr const char* kPlaceholderText = "{28010B21-4930-4b61-AF4C-09359FD32EBD}";

protected:
    bool OnInit() override;
    void OnActivated() override;
    void OnNext() override;
    void OnBack() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(int width, int height) override;
    void OnDestroy() override;

private:
    class Checks;

    void BuildTree();
    HTREEITEM AppendFolderItem(HTREEITEM parent, const std::string& text, const std::string& path, int image,
                               int selectedImage, int state);
    // The item's path, valid until the next item is appended; null if none.
    const std::string* PathOf(HTREEITEM item) const;
    // Replaces a placeholder child by the item's folders.
    void FillChildren(HTREEITEM item);
    void ExpandItem(HTREEITEM item);
    void Toggle(HTREEITEM item);
    void LoadSelection();
    void StoreSelection() const;

    static LRESULT CALLBACK TreeProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    ui::TreeView tree_;
    ui::ImageList images_;
    ui::ImageList states_;
    // The folder items' paths; an item's data is its index here plus one
    // (0 for the computer item and the placeholders, which have no path).
    std::vector<std::string> paths_;
    // The stored paths as loaded, and those of them the tree could not show,
    // which are stored again as they were.
    std::vector<std::string> stored_;
    std::vector<std::string> notShown_;
    ui::SkinnedLabel header_;
    ui::Layout layout_;
    Services services_;
};

}  // namespace pages

#pragma once
// Builds dialog templates in memory, so tests of dialogs need no resources.
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

struct ControlSpec {
    int id;
    const char* windowClass;  // "BUTTON", "STATIC", "SysListView32", ...
    std::string text;
    DWORD style;
    short x, y, cx, cy;
};

class MemoryTemplate {
public:
    MemoryTemplate(DWORD style, short cx, short cy, const std::vector<ControlSpec>& controls,
                   const std::string& caption = "");
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Align();
    void Add(WORD w) { words_.push_back(w); }
    void AddText(const std::string& text);
    std::vector<WORD> words_;
};

}  // namespace testsupport

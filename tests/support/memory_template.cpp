#include "support/memory_template.h"

namespace testsupport {

MemoryTemplate::MemoryTemplate(DWORD style, short cx, short cy, const std::vector<ControlSpec>& controls,
                               const std::string& caption) {
    auto addDword = [this](DWORD d) {
        Add(LOWORD(d));
        Add(HIWORD(d));
    };
    addDword(style | DS_SETFONT);
    addDword(0);
    Add(static_cast<WORD>(controls.size()));
    Add(0), Add(0), Add(static_cast<WORD>(cx)), Add(static_cast<WORD>(cy));
    Add(0);  // no menu
    Add(0);  // default class
    AddText(caption);
    Add(8);
    AddText("Tahoma");
    for (const ControlSpec& c : controls) {
        Align();
        addDword(c.style | WS_CHILD | WS_VISIBLE);
        addDword(0);
        Add(static_cast<WORD>(c.x)), Add(static_cast<WORD>(c.y)), Add(static_cast<WORD>(c.cx)), Add(static_cast<WORD>(c.cy));
        Add(static_cast<WORD>(c.id));
        AddText(c.windowClass);
        AddText(c.text);
        Add(0);  // no creation data
    }
}

void MemoryTemplate::Align() {
    if (words_.size() % 2) Add(0);
}

void MemoryTemplate::AddText(const std::string& text) {
    for (unsigned char ch : text) Add(ch);
    Add(0);
}

}  // namespace testsupport

#pragma once
// Whether the texts of a window's controls fit them: each text measured in
// the control's own font, in the room the control draws it into (less the
// box of a check box, the arrow of a drop-down list, the frame of a button),
// wrapped where the control wraps, and each control inside its parent.
#include <windows.h>

#include <string>
#include <vector>

namespace layouttest {

struct Misfit {
    std::string control;  // class, id and text
    std::string problem;  // what does not fit, in pixels
};

// The visible controls below window (children of children too) whose text
// is cut off, or that stick out of the parent that holds them.
std::vector<Misfit> MisfitsIn(HWND window);

}  // namespace layouttest

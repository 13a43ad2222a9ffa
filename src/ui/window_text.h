#pragma once
// A window's text of any length.
#include <windows.h>

#include <string>

namespace ui {

std::string WindowText(HWND window);

}  // namespace ui

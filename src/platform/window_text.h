#pragma once
// A window's text of any length.
#include <windows.h>

#include <string>

namespace platform {

std::string WindowText(HWND window);

}  // namespace platform

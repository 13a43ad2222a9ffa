#pragma once
// The rescue center: lists the backup sets, restores or deletes one.
#include <windows.h>

namespace rescue {

// Runs the rescue center modally over owner.
void ShowRescueCenter(HWND owner);

}  // namespace rescue

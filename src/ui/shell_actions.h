#pragma once
// The shell's services as the user interface uses them.
#include <windows.h>

#include <string>

#include "ui/gdi.h"

namespace ui {

// Opens the shell's property sheet of a file, folder or drive.
void ShowProperties(HWND owner, const std::string& path);
// Opens the file manager with the file selected.
void ShowInExplorer(const std::string& path);
// Opens a folder, file or web address with the shell's "open" verb.
void OpenWithShell(const std::string& target);

// The shell's small icon for a path as it exists on disk; empty when none.
Icon SmallIconOfPath(const std::string& path);
// The shell's small icon for a file of that name, without looking at the
// disk (by the name's type alone).
Icon SmallIconOfFileName(const std::string& name);

// Gives a dialog the themed tab-page background, where the platform has it.
void EnableTabPageBackground(HWND dialog);

// A message box captioned with the text of "_AppName", showing the text of key.
int ShowMessage(HWND owner, const char* key, UINT flags);

}  // namespace ui

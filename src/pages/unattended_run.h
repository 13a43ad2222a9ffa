#pragma once
// The unattended run ("auto"): what each page does by itself once it is
// shown, in one table. The scanning and cleaning pages have no step of their
// own: they move the wizard on when their jobs end.
#include <windows.h>

namespace pages {

// True when the page at index goes on by itself in an unattended run.
bool HasUnattendedStep(int index);

// Takes the step of the page at index: shows the next page, has a job page
// start its job, or closes the wizard.
void TakeUnattendedStep(HWND page, int index);

}  // namespace pages

#include "rescue/rescue_center.h"

// Placeholder until the rescue center lands.
namespace rescue {

void ShowRescueCenter(HWND) {}

}  // namespace rescue

#pragma once
// Hands the skin settings to the skin component and attaches it to a window.
#include <windows.h>

#include "platform/com.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"

namespace skin {

// Creates the component, attaches the window, sets the gamma through the
// component's automation object, then loads the skin. Returns the component,
// which must be kept as long as the window lives; returns none when no
// component is registered or one of its calls fails (the window then goes
// without a skin).
platform::ComPtr<ISkinEngine> ApplySkin(HWND window, const SkinSettings& settings);

}  // namespace skin

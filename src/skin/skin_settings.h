#pragma once
// The skin settings file "common.xml" beside the program (read only).
#include <string>
#include <string_view>

namespace skin {

struct SkinSettings {
    std::string rootPath;  // folder holding the skins, macros expanded
    std::string skinName;  // the skin to load, macros expanded
    float gamma = 0.0f;
    bool operator==(const SkinSettings&) const = default;
};

// <program folder>\common.xml
std::string SkinSettingsPath();

// Reads the three values; a missing file, node or attribute gives an empty
// text or a gamma of 0.
SkinSettings ReadSkinSettings(const std::string& filePath);

// A gamma text as a number: blanks around it are ignored, the decimal point
// is ".", and anything that is not a number reads as 0.
float ParseGamma(std::string_view text);

}  // namespace skin

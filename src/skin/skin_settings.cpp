#include "skin/skin_settings.h"

#include <charconv>
#include <cmath>

#include "config/config_document.h"
#include "paths/module_paths.h"
#include "paths/path_macros.h"

namespace skin {

std::string SkinSettingsPath() { return paths::ModuleDirectory() + "\\common.xml"; }

float ParseGamma(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    float value = 0.0f;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return 0.0f;
    return value;
}

SkinSettings ReadSkinSettings(const std::string& filePath) {
    std::string rootPath, skinName, gamma;
    {
        config::ConfigDocument doc;
        doc.Open(filePath);
        rootPath = doc.GetAttribute("/config/activateskin", "rootpath").value_or("");
        skinName = doc.GetAttribute("/config/activateskin", "uis").value_or("");
        gamma = doc.GetAttribute("/config/SkinGamma", "val").value_or("");
    }
    auto macros = paths::CurrentPathMacros();
    return {paths::ExpandPathMacros(rootPath, macros), paths::ExpandPathMacros(skinName, macros), ParseGamma(gamma)};
}

}  // namespace skin

#include "support/settings_xml.h"

#include "config/settings_paths.h"

namespace testsupport {

std::string SettingXml(std::string_view name, std::string_view custom, std::string_view factory) {
    std::string xml = "<";
    xml.append(name).append(" default=\"").append(factory).append("\" custom=\"").append(custom).append("\"/>");
    return xml;
}

std::string SettingXml(std::string_view name, int custom, int factory) {
    return SettingXml(name, std::to_string(custom), std::to_string(factory));
}

std::string TraceSwitchesXml(const config::AdvCleanOptions& custom, const config::AdvCleanOptions& factory) {
    std::string xml = "<AdvCleanOpt>";
    for (size_t i = 0; i < config::path::kAdvClean.size(); ++i) {
        std::string_view path = config::path::kAdvClean[i];
        xml += SettingXml(path.substr(path.rfind('/') + 1), custom[i], factory[i]);
    }
    return xml + "</AdvCleanOpt>";
}

}  // namespace testsupport

#include "support/settings_xml.h"

#include "config/settings_paths.h"

namespace testsupport {

namespace {

// The text as an attribute value.
std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '&': quoted += "&amp;"; break;
            case '<': quoted += "&lt;"; break;
            case '"': quoted += "&quot;"; break;
            default: quoted += c; break;
        }
    }
    return quoted + "\"";
}

std::string JunkItems(const std::vector<config::JunkType>& types) {
    std::string xml;
    for (const config::JunkType& type : types) {
        xml += "<item checked=" + Quoted(std::to_string(type.checked)) + " description=" + Quoted(type.description) +
               " file=" + Quoted(type.pattern) + "/>";
    }
    return xml;
}

std::string SkipItems(const std::vector<config::SkipFolder>& folders) {
    std::string xml;
    for (const config::SkipFolder& folder : folders) {
        xml += "<item checked=" + Quoted(std::to_string(folder.checked)) + " folder=" + Quoted(folder.folder) + "/>";
    }
    return xml;
}

std::string KeptItems(const std::vector<config::KeptEntry>& entries) {
    std::string xml;
    for (const config::KeptEntry& entry : entries) {
        xml += std::string("<item ") + (entry.folder ? "folder=" : "file=") + Quoted(entry.path) + "/>";
    }
    return xml;
}

}  // namespace

std::string SettingsDocumentXml(const SettingsValues& factory, const SettingsValues& user,
                                const std::vector<std::string>& selectedPaths) {
    const config::SearchOptions& fs = factory.search;
    const config::SearchOptions& us = user.search;
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Config>\n";
    xml += "  <Welcome>" + SettingXml("ShowWelcome", user.showWelcome, factory.showWelcome) + "</Welcome>\n";
    xml += "  <Options>\n    <Search>\n";
    xml += "      " + SettingXml("SkipReadOnlyFiles", us.skipReadOnlyFiles, fs.skipReadOnlyFiles) + "\n";
    xml += "      " + SettingXml("SkipHiddenFiles", us.skipHiddenFiles, fs.skipHiddenFiles) + "\n";
    xml += "      " + SettingXml("SkipSystemFiles", us.skipSystemFiles, fs.skipSystemFiles) + "\n";
    xml += "      " + SettingXml("FindZeroLengthFiles", us.findZeroLengthFiles, fs.findZeroLengthFiles) + "\n";
    xml += "      " + SettingXml("FindInvalidShortcuts", us.findInvalidShortcuts, fs.findInvalidShortcuts) + "\n";
    xml += "      <FindFilesHaveNotAccessed default=" + Quoted(std::to_string(fs.findFilesNotAccessed)) +
           " custom=" + Quoted(std::to_string(us.findFilesNotAccessed)) +
           " monthdefault=" + Quoted(std::to_string(fs.months)) + " month=" + Quoted(std::to_string(us.months)) +
           "/>\n";
    xml += "    </Search>\n";
    xml += "    <JunkFiles><Default>" + JunkItems(factory.junkTypes) + "</Default><Custom>" +
           JunkItems(user.junkTypes) + "</Custom></JunkFiles>\n";
    xml += "    <SkipFolders><default>" + SkipItems(factory.skipFolders) + "</default><items>" +
           SkipItems(user.skipFolders) + "</items></SkipFolders>\n";
    xml += "    <KeepList><default>" + KeptItems(factory.keepList) + "</default><items>" + KeptItems(user.keepList) +
           "</items></KeepList>\n";
    const config::CleanOptions& fc = factory.clean;
    const config::CleanOptions& uc = user.clean;
    xml += "    <CleanOpt>" + SettingXml("Clean", uc.clean, fc.clean) +
           SettingXml("MoveToRecycle", uc.moveToRecycle, fc.moveToRecycle) +
           SettingXml("MoveToFolder", uc.moveToFolder, fc.moveToFolder) +
           SettingXml("MoveToFolderPath", uc.moveToFolderPath, fc.moveToFolderPath) +
           SettingXml("Backup", uc.backup, fc.backup) + "<RemoveOldBackups default=" +
           Quoted(std::to_string(fc.removeOldSets)) + " custom=" + Quoted(std::to_string(uc.removeOldSets)) +
           " daysdefault=" + Quoted(std::to_string(fc.setAgeDays)) + " days=" + Quoted(std::to_string(uc.setAgeDays)) +
           "/></CleanOpt>\n";
    xml += "    " + TraceSwitchesXml(user.traces, factory.traces) + "\n  </Options>\n  <SelectDrive>";
    for (const std::string& path : selectedPaths) xml += "<PathItem name=" + Quoted(path) + "/>";
    return xml + "</SelectDrive>\n</Config>\n";
}

std::string SettingXml(std::string_view name, std::string_view custom, std::string_view factory) {
    std::string xml = "<";
    return xml.append(name).append(" default=").append(Quoted(factory)).append(" custom=").append(Quoted(custom)) +
           "/>";
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

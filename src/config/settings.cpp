#include "config/settings.h"

#include "config/config_document.h"
#include "config/job_requests.h"
#include "config/settings_paths.h"
#include "paths/module_paths.h"
#include "platform/codepage.h"
#include "platform/windows_version.h"
#include "scan/app_catalog.h"

namespace config {

namespace {

const char* ValueAttribute(ValueSet set) { return set == ValueSet::Default ? "default" : "custom"; }
const char* MonthAttribute(ValueSet set) { return set == ValueSet::Default ? "monthdefault" : "month"; }

int32_t ReadInt(const ConfigDocument& doc, std::string_view path, const char* attribute) {
    auto text = doc.GetAttribute(path, attribute);
    return text ? ToInt32(*text) : 0;
}

int32_t ReadFlagIn(const ConfigDocument& doc, std::string_view path, ValueSet set) {
    return ReadInt(doc, path, ValueAttribute(set));
}

// Opens the settings file for one transaction.
struct OpenSettings {
    ConfigDocument doc;
    OpenSettings() { doc.Open(ConfigFilePath()); }
};

// A flag setting and the record field that holds it.
template <typename Record>
struct FlagField {
    const char* path;
    int32_t Record::*field;
};

constexpr FlagField<SearchOptions> kSearchFields[] = {
    {path::kSkipReadOnlyFiles, &SearchOptions::skipReadOnlyFiles},
    {path::kSkipHiddenFiles, &SearchOptions::skipHiddenFiles},
    {path::kSkipSystemFiles, &SearchOptions::skipSystemFiles},
    {path::kFindZeroLengthFiles, &SearchOptions::findZeroLengthFiles},
    {path::kFindInvalidShortcuts, &SearchOptions::findInvalidShortcuts},
    {path::kFindFilesHaveNotAccessed, &SearchOptions::findFilesNotAccessed},
};

constexpr FlagField<CleanOptions> kCleanFlags[] = {
    {path::kClean, &CleanOptions::clean},
    {path::kMoveToRecycle, &CleanOptions::moveToRecycle},
    {path::kMoveToFolder, &CleanOptions::moveToFolder},
    {path::kBackup, &CleanOptions::backup},
};

std::wstring CheckedText(int32_t checked) { return checked ? L"1" : L"0"; }

// Removes the section's entries and appends the new ones, then saves.
template <typename Entry, typename ToAttributes>
void ReplaceList(const char* sectionPath, const char* entryTag, const std::vector<Entry>& list,
                 ToAttributes toAttributes) {
    OpenSettings settings;
    ConfigDocument& doc = settings.doc;
    if (!doc.IsLoaded()) return;
    XmlNode section = doc.SelectSingleNode(sectionPath);
    if (section) {
        std::string entryPath = std::string(sectionPath) + "/" + entryTag;
        for (const XmlNode& old : doc.SelectNodes(entryPath)) doc.RemoveChild(section, old);
        for (const Entry& entry : list) doc.AppendElement(section, entryTag, "", toAttributes(entry));
    }
    doc.Save();
}

template <typename Entry, typename FromNode>
std::vector<Entry> ListIn(const ConfigDocument& doc, const std::string& entryPath, FromNode fromNode) {
    std::vector<Entry> list;
    for (const XmlNode& node : doc.SelectNodes(entryPath)) list.push_back(fromNode(node));
    return list;
}

std::string TextOf(const XmlNode& node, const char* name) { return NodeAttribute(node, name).value_or(""); }

int32_t FlagOf(const XmlNode& node, const char* name) {
    auto text = NodeAttribute(node, name);
    return text ? ToInt32(*text) : 0;
}

SearchOptions SearchOptionsIn(const ConfigDocument& doc, ValueSet set) {
    SearchOptions options;
    for (const auto& f : kSearchFields) options.*f.field = ReadFlagIn(doc, f.path, set);
    options.months = static_cast<uint32_t>(ReadInt(doc, path::kFindFilesHaveNotAccessed, MonthAttribute(set)));
    return options;
}

CleanOptions CleanOptionsIn(const ConfigDocument& doc, ValueSet set) {
    CleanOptions options;
    for (const auto& f : kCleanFlags) options.*f.field = ReadFlagIn(doc, f.path, set);
    options.moveToFolderPath = doc.GetAttribute(path::kMoveToFolderPath, ValueAttribute(set)).value_or("");
    return options;
}

AdvCleanOptions AdvCleanOptionsIn(const ConfigDocument& doc, ValueSet set) {
    AdvCleanOptions options{};
    for (size_t i = 0; i < options.size(); ++i) options[i] = ReadFlagIn(doc, path::kAdvClean[i], set);
    return options;
}

std::vector<JunkType> JunkTypesIn(const ConfigDocument& doc, ValueSet set) {
    std::string section = set == ValueSet::Default ? path::kJunkFilesDefault : path::kJunkFilesCustom;
    return ListIn<JunkType>(doc, section + "/item", [](const XmlNode& node) {
        return JunkType{TextOf(node, "file"), TextOf(node, "description"), FlagOf(node, "checked")};
    });
}

std::vector<SkipFolder> SkipFoldersIn(const ConfigDocument& doc, ValueSet set) {
    std::string section = set == ValueSet::Default ? path::kSkipFoldersDefault : path::kSkipFoldersCustom;
    return ListIn<SkipFolder>(doc, section + "/item", [](const XmlNode& node) {
        return SkipFolder{TextOf(node, "folder"), FlagOf(node, "checked")};
    });
}

std::vector<std::string> CheckedRulesIn(const ConfigDocument& doc, ValueSet set) {
    const std::string section = set == ValueSet::Default ? path::kApplicationsDefault : path::kApplicationsCustom;
    std::vector<std::string> names;
    for (const XmlNode& node : doc.SelectNodes(section + "/item")) {
        std::string name = TextOf(node, "rule");
        if (FlagOf(node, "checked") && !name.empty()) names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> SelectedPathsIn(const ConfigDocument& doc) {
    std::vector<std::string> paths;
    for (const XmlNode& node : doc.SelectNodes(std::string(path::kSelectDrive) + "/PathItem")) {
        bool exact = true;
        std::string name = NodeAttributeExact(node, "name", exact).value_or("");
        if (exact) paths.push_back(std::move(name));
    }
    return paths;
}

}  // namespace

std::string ConfigFilePath() { return paths::BesideModule(".xml"); }

int32_t ReadFlag(std::string_view path, ValueSet set) {
    OpenSettings settings;
    return ReadFlagIn(settings.doc, path, set);
}

std::string ReadText(std::string_view path, ValueSet set) {
    OpenSettings settings;
    return settings.doc.GetAttribute(path, ValueAttribute(set)).value_or("");
}

void WriteFlag(std::string_view path, int32_t value) {
    OpenSettings settings;
    if (!settings.doc.IsLoaded()) return;
    settings.doc.SetAttribute(path, "custom", value);
    settings.doc.Save();
}

void WriteText(std::string_view path, std::string_view value) {
    OpenSettings settings;
    if (!settings.doc.IsLoaded()) return;
    settings.doc.SetAttribute(path, "custom", value);
    settings.doc.Save();
}

int32_t ReadMonths(ValueSet set) {
    OpenSettings settings;
    return ReadInt(settings.doc, path::kFindFilesHaveNotAccessed, MonthAttribute(set));
}

SearchOptions LoadSearchOptions(ValueSet set) {
    OpenSettings settings;
    return SearchOptionsIn(settings.doc, set);
}

void SaveSearchOptions(const SearchOptions& options) {
    OpenSettings settings;
    if (!settings.doc.IsLoaded()) return;
    for (const auto& f : kSearchFields) settings.doc.SetAttribute(f.path, "custom", options.*f.field);
    settings.doc.SetAttribute(path::kFindFilesHaveNotAccessed, "month", static_cast<int>(options.months));
    settings.doc.Save();
}

CleanOptions LoadCleanOptions(ValueSet set) {
    OpenSettings settings;
    return CleanOptionsIn(settings.doc, set);
}

void SaveCleanOptions(const CleanOptions& options) {
    OpenSettings settings;
    if (!settings.doc.IsLoaded()) return;
    for (const auto& f : kCleanFlags) settings.doc.SetAttribute(f.path, "custom", options.*f.field);
    settings.doc.SetAttribute(path::kMoveToFolderPath, "custom", options.moveToFolderPath);
    settings.doc.Save();
}

AdvCleanOptions LoadAdvCleanOptions(ValueSet set) {
    OpenSettings settings;
    return AdvCleanOptionsIn(settings.doc, set);
}

void SaveAdvCleanOptions(const AdvCleanOptions& options) {
    OpenSettings settings;
    if (!settings.doc.IsLoaded()) return;
    for (size_t i = 0; i < options.size(); ++i) settings.doc.SetAttribute(path::kAdvClean[i], "custom", options[i]);
    settings.doc.Save();
}

int32_t LoadShowWelcome(ValueSet set) { return ReadFlag(path::kShowWelcome, set); }

void SaveShowWelcome(int32_t show) { WriteFlag(path::kShowWelcome, show); }

std::vector<JunkType> LoadJunkTypes(ValueSet set) {
    OpenSettings settings;
    return JunkTypesIn(settings.doc, set);
}

void SaveJunkTypes(const std::vector<JunkType>& list) {
    ReplaceList(path::kJunkFilesCustom, "item", list, [](const JunkType& entry) {
        return std::map<std::wstring, std::wstring>{{L"checked", CheckedText(entry.checked)},
                                                    {L"description", platform::ToWide(entry.description)},
                                                    {L"file", platform::ToWide(entry.pattern)}};
    });
}

std::vector<SkipFolder> LoadSkipFolders(ValueSet set) {
    OpenSettings settings;
    return SkipFoldersIn(settings.doc, set);
}

void SaveSkipFolders(const std::vector<SkipFolder>& list) {
    ReplaceList(path::kSkipFoldersCustom, "item", list, [](const SkipFolder& entry) {
        return std::map<std::wstring, std::wstring>{{L"checked", CheckedText(entry.checked)},
                                                    {L"folder", platform::ToWide(entry.folder)}};
    });
}

std::vector<std::string> LoadSelectedPaths() {
    OpenSettings settings;
    return SelectedPathsIn(settings.doc);
}

void SaveSelectedPaths(const std::vector<std::string>& list) {
    ReplaceList(path::kSelectDrive, "PathItem", list, [](const std::string& name) {
        return std::map<std::wstring, std::wstring>{{L"name", platform::ToWide(name)}};
    });
}

std::vector<std::string> LoadCheckedRules(ValueSet set) {
    OpenSettings settings;
    return CheckedRulesIn(settings.doc, set);
}

void SaveCheckedRules(const std::vector<std::string>& names) {
    {
        OpenSettings settings;
        ConfigDocument& doc = settings.doc;
        XmlNode options = doc.SelectSingleNode(path::kOptions);
        if (!doc.IsLoaded() || !options) return;
        if (!doc.SelectSingleNode(path::kApplications)) doc.AppendElement(options, "Applications", "", {});
        if (XmlNode applications = doc.SelectSingleNode(path::kApplications)) {
            if (!doc.SelectSingleNode(path::kApplicationsDefault)) doc.AppendElement(applications, "default", "", {});
            if (!doc.SelectSingleNode(path::kApplicationsCustom)) {
                doc.AppendElement(applications, "items", "", {});
                doc.Save();
            }
        }
    }
    ReplaceList(path::kApplicationsCustom, "item", names, [](const std::string& name) {
        return std::map<std::wstring, std::wstring>{{L"checked", L"1"}, {L"rule", platform::ToWide(name)}};
    });
}

scan::ScanRequest LoadScanRequest() {
    OpenSettings settings;
    const ConfigDocument& doc = settings.doc;
    scan::ScanRequest request;
    request.paths = SelectedPathsIn(doc);
    for (JunkType& type : JunkTypesIn(doc, ValueSet::Custom)) {
        if (type.checked) request.junkTypes.push_back({std::move(type.pattern), std::move(type.description)});
    }
    for (SkipFolder& folder : SkipFoldersIn(doc, ValueSet::Custom)) {
        if (folder.checked) request.skipFolders.push_back(std::move(folder.folder));
    }
    request.switches = SearchSwitchesOf(SearchOptionsIn(doc, ValueSet::Custom));
    // The rule files and the system's folders are read only when a rule is
    // ticked.
    const std::vector<std::string> checkedRules = CheckedRulesIn(doc, ValueSet::Custom);
    if (!checkedRules.empty()) {
        request.appRules = scan::SelectRules(scan::LoadAppRuleFiles(), checkedRules);
        request.appFolders = scan::AppFolders::OfSystem();
        request.windowsVersion = platform::WindowsVersion();
    }
    return request;
}

scan::SearchSwitches SearchSwitchesOf(const SearchOptions& options) {
    scan::SearchSwitches switches;
    switches.skipReadOnly = options.skipReadOnlyFiles != 0;
    switches.skipSystem = options.skipSystemFiles != 0;
    switches.skipHidden = options.skipHiddenFiles != 0;
    switches.findEmptyFiles = options.findZeroLengthFiles != 0;
    switches.findInvalidShortcuts = options.findInvalidShortcuts != 0;
    switches.findNotAccessed = options.findFilesNotAccessed != 0;
    switches.months = static_cast<int32_t>(options.months);
    return switches;
}

clean::CleanSettings LoadCleanSettings() {
    OpenSettings settings;
    const CleanOptions options = CleanOptionsIn(settings.doc, ValueSet::Custom);
    const AdvCleanOptions traces = AdvCleanOptionsIn(settings.doc, ValueSet::Custom);
    clean::CleanSettings clean;
    clean.backup = options.backup != 0;
    clean.deleteFiles = options.clean != 0;
    clean.recycle = options.moveToRecycle != 0;
    clean.moveToFolder = options.moveToFolder != 0;
    clean.moveTarget = options.moveToFolderPath;
    static_assert(std::tuple_size_v<AdvCleanOptions> == std::tuple_size_v<decltype(clean.traces)>);
    for (size_t i = 0; i < traces.size(); ++i) clean.traces[i] = traces[i] != 0;
    return clean;
}

}  // namespace config

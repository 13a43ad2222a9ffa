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
const char* DaysAttribute(ValueSet set) { return set == ValueSet::Default ? "daysdefault" : "days"; }

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

// The element at an absolute path of element steps, made with its missing
// ancestors below the root: settings files written before an element was
// added to the program lack it, and a value written to no element would be
// lost without a word. The root itself is never made.
XmlNode MadeElement(ConfigDocument& doc, std::string_view path) {
    if (XmlNode node = doc.SelectSingleNode(path)) return node;
    const size_t cut = path.find_last_of('/');
    if (cut == 0 || cut == std::string_view::npos) return {};
    XmlNode parent = MadeElement(doc, path.substr(0, cut));
    if (!parent || !doc.AppendElement(parent, path.substr(cut + 1), "", {})) return {};
    return doc.SelectSingleNode(path);
}

enum class MissingSection { Skip, Make };

using Attributes = std::map<std::wstring, std::wstring>;

// Every attribute of an entry node, by name.
Attributes AttributesOf(const XmlNode& node) {
    Attributes attributes;
    platform::ComPtr<IXMLDOMNamedNodeMap> map;
    if (FAILED(node->get_attributes(map.Put())) || !map) return attributes;
    long length = 0;
    map->get_length(&length);
    for (long i = 0; i < length; ++i) {
        XmlNode attribute;
        if (map->get_item(i, attribute.Put()) != S_OK || !attribute) continue;
        platform::Bstr name;
        platform::Variant value;
        if (SUCCEEDED(attribute->get_nodeName(name.Put())) && name.Get() &&
            SUCCEEDED(attribute->get_nodeValue(value.Put())) && value.Get().vt == VT_BSTR) {
            attributes[name.Get()] = std::wstring(value.Get().bstrVal, ::SysStringLen(value.Get().bstrVal));
        }
    }
    return attributes;
}

// Removes the section's entries and appends the new ones, then saves. A list
// that is already stored exactly so is not written again. With Make, a
// section the file lacks is made first; when it cannot be, a list with
// entries is not saved. False when the file could not be saved.
template <typename Entry, typename ToAttributes>
bool ReplaceList(const char* sectionPath, const char* entryTag, const std::vector<Entry>& list,
                 ToAttributes toAttributes, MissingSection missing = MissingSection::Skip) {
    OpenSettings settings;
    ConfigDocument& doc = settings.doc;
    if (!doc.IsLoaded()) return true;  // no file: nothing to keep
    XmlNode section =
        missing == MissingSection::Make ? MadeElement(doc, sectionPath) : doc.SelectSingleNode(sectionPath);
    if (!section && missing == MissingSection::Make) return list.empty();
    if (section) {
        std::string entryPath = std::string(sectionPath) + "/" + entryTag;
        const std::vector<XmlNode> old = doc.SelectNodes(entryPath);
        bool same = old.size() == list.size();
        for (size_t i = 0; same && i < old.size(); ++i) same = AttributesOf(old[i]) == toAttributes(list[i]);
        if (same) return true;
        for (const XmlNode& entry : old) doc.RemoveChild(section, entry);
        for (const Entry& entry : list) doc.AppendElement(section, entryTag, "", toAttributes(entry));
    }
    return doc.Save();
}

// Sets the user's value of a setting; true when that changed it.
bool SetCustom(ConfigDocument& doc, std::string_view path, const char* attribute, std::string_view value) {
    if (doc.GetAttribute(path, attribute) == std::optional<std::string>(value)) return false;
    doc.SetAttribute(path, attribute, value);
    return true;
}

bool SetCustom(ConfigDocument& doc, std::string_view path, const char* attribute, int value) {
    return SetCustom(doc, path, attribute, std::to_string(value));
}

// Saves the document when a setting changed; a setting saved as it was
// writes nothing. False when the file could not be saved.
bool SaveIfChanged(ConfigDocument& doc, bool changed) { return !changed || doc.Save(); }

// One writer's transaction: change sets values in the open document and
// says whether that changed any; the file is saved only then. A missing or
// unreadable file is never written, and that is no failure.
template <typename Change>
bool ChangeSettings(Change change) {
    OpenSettings settings;
    if (!settings.doc.IsLoaded()) return true;  // no file: nothing to keep
    return SaveIfChanged(settings.doc, change(settings.doc));
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
    options.removeOldSets = ReadFlagIn(doc, path::kRemoveOldBackups, set);
    options.setAgeDays = ReadInt(doc, path::kRemoveOldBackups, DaysAttribute(set));
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

std::vector<KeptEntry> KeepListIn(const ConfigDocument& doc, ValueSet set) {
    std::string section = set == ValueSet::Default ? path::kKeepListDefault : path::kKeepListCustom;
    std::vector<KeptEntry> list = ListIn<KeptEntry>(doc, section + "/item", [](const XmlNode& node) {
        if (auto file = NodeAttribute(node, "file")) return KeptEntry{*file, false};
        return KeptEntry{TextOf(node, "folder"), true};
    });
    // An entry without a path keeps nothing.
    std::erase_if(list, [](const KeptEntry& entry) { return entry.path.empty(); });
    return list;
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

bool WriteFlag(std::string_view path, int32_t value) {
    return ChangeSettings([&](ConfigDocument& doc) { return SetCustom(doc, path, "custom", value); });
}

bool WriteText(std::string_view path, std::string_view value) {
    return ChangeSettings([&](ConfigDocument& doc) { return SetCustom(doc, path, "custom", value); });
}

int32_t ReadMonths(ValueSet set) {
    OpenSettings settings;
    return ReadInt(settings.doc, path::kFindFilesHaveNotAccessed, MonthAttribute(set));
}

SearchOptions LoadSearchOptions(ValueSet set) {
    OpenSettings settings;
    return SearchOptionsIn(settings.doc, set);
}

bool SaveSearchOptions(const SearchOptions& options) {
    return ChangeSettings([&](ConfigDocument& doc) {
        bool changed = false;
        for (const auto& f : kSearchFields) changed |= SetCustom(doc, f.path, "custom", options.*f.field);
        changed |= SetCustom(doc, path::kFindFilesHaveNotAccessed, "month", static_cast<int>(options.months));
        return changed;
    });
}

int32_t SoundSetAgeDays(int32_t days) {
    return days >= kMinSetAgeDays && days <= kMaxSetAgeDays ? days : kSuggestedSetAgeDays;
}

CleanOptions LoadCleanOptions(ValueSet set) {
    OpenSettings settings;
    return CleanOptionsIn(settings.doc, set);
}

bool SaveCleanOptions(const CleanOptions& options) {
    bool ageRuleStored = true;
    const bool saved = ChangeSettings([&](ConfigDocument& doc) {
        bool changed = false;
        for (const auto& f : kCleanFlags) changed |= SetCustom(doc, f.path, "custom", options.*f.field);
        changed |= SetCustom(doc, path::kMoveToFolderPath, "custom", options.moveToFolderPath);
        // A settings file from before the age rule lacks its element.
        ageRuleStored = static_cast<bool>(MadeElement(doc, path::kRemoveOldBackups));
        if (ageRuleStored) {
            changed |= SetCustom(doc, path::kRemoveOldBackups, "custom", options.removeOldSets);
            changed |= SetCustom(doc, path::kRemoveOldBackups, "days", options.setAgeDays);
        }
        return changed;
    });
    return saved && ageRuleStored;
}

AdvCleanOptions LoadAdvCleanOptions(ValueSet set) {
    OpenSettings settings;
    return AdvCleanOptionsIn(settings.doc, set);
}

bool SaveAdvCleanOptions(const AdvCleanOptions& options) {
    return ChangeSettings([&](ConfigDocument& doc) {
        bool changed = false;
        for (size_t i = 0; i < options.size(); ++i) {
            changed |= SetCustom(doc, path::kAdvClean[i], "custom", options[i]);
        }
        return changed;
    });
}

std::string LoadLanguage(ValueSet set) { return ReadText(path::kLanguage, set); }

bool SaveLanguage(std::string_view tag) {
    OpenSettings settings;
    ConfigDocument& doc = settings.doc;
    if (!doc.IsLoaded()) return true;  // no file: nothing to keep
    if (doc.SelectSingleNode(path::kLanguage)) return SaveIfChanged(doc, SetCustom(doc, path::kLanguage, "custom", tag));
    // A missing choice already means the language of Windows.
    if (tag.empty()) return true;
    XmlNode options = doc.SelectSingleNode(path::kOptions);
    if (!options) return true;
    doc.AppendElement(options, "Language", "", {{L"custom", platform::ToWide(tag)}, {L"default", L""}});
    return doc.Save();
}

int32_t LoadShowWelcome(ValueSet set) { return ReadFlag(path::kShowWelcome, set); }

bool SaveShowWelcome(int32_t show) { return WriteFlag(path::kShowWelcome, show); }

std::vector<JunkType> LoadJunkTypes(ValueSet set) {
    OpenSettings settings;
    return JunkTypesIn(settings.doc, set);
}

bool SaveJunkTypes(const std::vector<JunkType>& list) {
    return ReplaceList(path::kJunkFilesCustom, "item", list, [](const JunkType& entry) {
        return std::map<std::wstring, std::wstring>{{L"checked", CheckedText(entry.checked)},
                                                    {L"description", platform::ToWide(entry.description)},
                                                    {L"file", platform::ToWide(entry.pattern)}};
    });
}

std::vector<SkipFolder> LoadSkipFolders(ValueSet set) {
    OpenSettings settings;
    return SkipFoldersIn(settings.doc, set);
}

bool SaveSkipFolders(const std::vector<SkipFolder>& list) {
    return ReplaceList(path::kSkipFoldersCustom, "item", list, [](const SkipFolder& entry) {
        return std::map<std::wstring, std::wstring>{{L"checked", CheckedText(entry.checked)},
                                                    {L"folder", platform::ToWide(entry.folder)}};
    });
}

std::vector<KeptEntry> LoadKeepList(ValueSet set) {
    OpenSettings settings;
    return KeepListIn(settings.doc, set);
}

namespace {

std::map<std::wstring, std::wstring> KeptAttributes(const KeptEntry& entry) {
    return {{entry.folder ? L"folder" : L"file", platform::ToWide(entry.path)}};
}

}  // namespace

bool SaveKeepList(const std::vector<KeptEntry>& list) {
    return ReplaceList(path::kKeepListCustom, "item", list, KeptAttributes, MissingSection::Make);
}

bool AddToKeepList(const KeptEntry& entry) {
    if (entry.path.empty()) return true;
    OpenSettings settings;
    ConfigDocument& doc = settings.doc;
    if (!doc.IsLoaded()) return true;  // no file: nothing to keep
    const std::string kind = entry.folder ? "folder" : "file";
    const std::string wanted = platform::LowerAnsi(entry.path);
    for (const XmlNode& node : doc.SelectNodes(std::string(path::kKeepListCustom) + "/item")) {
        auto path = NodeAttribute(node, kind);
        if (path && platform::LowerAnsi(*path) == wanted) return true;
    }
    XmlNode section = MadeElement(doc, path::kKeepListCustom);
    return section && doc.AppendElement(section, "item", "", KeptAttributes(entry)) && doc.Save();
}

std::vector<std::string> LoadSelectedPaths() {
    OpenSettings settings;
    return SelectedPathsIn(settings.doc);
}

bool SaveSelectedPaths(const std::vector<std::string>& list) {
    return ReplaceList(path::kSelectDrive, "PathItem", list, [](const std::string& name) {
        return std::map<std::wstring, std::wstring>{{L"name", platform::ToWide(name)}};
    });
}

std::vector<std::string> LoadCheckedRules(ValueSet set) {
    OpenSettings settings;
    return CheckedRulesIn(settings.doc, set);
}

bool SaveCheckedRules(const std::vector<std::string>& names) {
    return ReplaceList(
        path::kApplicationsCustom, "item", names,
        [](const std::string& name) { return Attributes{{L"checked", L"1"}, {L"rule", platform::ToWide(name)}}; },
        MissingSection::Make);
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
    for (KeptEntry& entry : KeepListIn(doc, ValueSet::Custom)) {
        (entry.folder ? request.keep.folders : request.keep.files).push_back(std::move(entry.path));
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
    if (options.removeOldSets != 0) clean.removeSetsOlderThanDays = SoundSetAgeDays(options.setAgeDays);
    return clean;
}

}  // namespace config

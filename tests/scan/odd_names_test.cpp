// Entries whose listed names the narrow file functions cannot reach exactly:
// the walk never judges, reports or enters them, since a path built from
// such a name reaches another file (a look-alike twin, or a twin without the
// trailing dot or blank), or none.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

#include "scan/folder_search.h"
#include "support/scratch.h"

namespace {

using testsupport::WidePath;

struct Found {
    std::map<std::string, std::string> byPath;  // path below the root -> reason
    std::vector<std::string> folders;
    std::string root;
};

Found Search(const std::string& root, const scan::SearchSwitches& switches) {
    scan::JunkTypeTable table;
    table.Add("*.tmp", "Temporary file");
    table.Add("*.", "No extension");
    Found found;
    found.root = root;
    scan::SearchFolder({root, table, {}, switches}, [&](const scan::SearchHit& hit) {
        if (hit.reason) {
            found.byPath[std::string(hit.path.substr(root.size() + 1))] = hit.reason;
        } else {
            found.folders.emplace_back(hit.path);
        }
        return true;
    });
    return found;
}

TEST(FolderSearchNames, NamesTheNarrowFunctionsCannotReachAreNeverJudged) {
    const std::string root = testsupport::NewScratchFolder("names");
    struct File {
        const char* utf8Name;
        double accessedDaysAgo;
        DWORD attributes;
    } files[] = {
        // Listed through a single-byte code page with best fit, each of these
        // names reads as its twin below it.
        {"\xC4\x81.txt", 100, 0},           // a with macron, not opened for months
        {"a.txt", 0, 0},                     // its fresh twin
        {"\xEF\xBC\xA1.tmp", 0, 0},          // fullwidth A, visible
        {"A.tmp", 0, FILE_ATTRIBUTE_HIDDEN},  // its hidden twin
        {"\xC5\x82.tmp", 0, 0},              // l with stroke
        // Without an exact form in a single-byte code page at all.
        {"\xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87.tmp", 0, 0},  // Cyrillic
        {"\xE6\x96\x87\xE4\xBB\xB6.tmp", 0, 0},          // CJK
        {"\xF0\x9F\x98\x80.tmp", 0, 0},                  // an emoji
        // Narrow path functions trim the trailing dot or blank.
        {"keep.", 0, 0},
        {"keep", 0, 0},
        {"budget.xls ", 100, 0},
        {"budget.xls", 0, 0},
        {"plain.tmp", 0, 0},
    };
    for (const File& f : files) {
        std::wstring path = WidePath(root, f.utf8Name);
        testsupport::WriteFileW(path, "x");
        testsupport::SetAccessedDaysAgoW(path, f.accessedDaysAgo);
        if (f.attributes) testsupport::SetAttributesW(path, f.attributes);
    }
    const std::wstring cyrillicFolder = WidePath(root, "\xD0\xBF\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0");
    testsupport::MakeFolderW(cyrillicFolder);
    testsupport::WriteFileW(cyrillicFolder + L"\\inside.tmp", "x");

    scan::SearchSwitches switches;
    switches.skipHidden = true;
    switches.findNotAccessed = true;
    switches.months = 1;
    Found found = Search(root, switches);

    std::map<std::string, std::string> expected = {{"plain.tmp", "Temporary file"}};
    if (GetACP() == CP_UTF8) {
        // With UTF-8 as the code page every name but the trimmed ones is
        // reached exactly, and judged as it stands.
        expected.insert({{"\xC4\x81.txt", "Have Not Accessed"},
                         {"\xEF\xBC\xA1.tmp", "Temporary file"},
                         {"\xC5\x82.tmp", "Temporary file"},
                         {"\xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87.tmp", "Temporary file"},
                         {"\xE6\x96\x87\xE4\xBB\xB6.tmp", "Temporary file"},
                         {"\xF0\x9F\x98\x80.tmp", "Temporary file"},
                         {"\xD0\xBF\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0\\inside.tmp", "Temporary file"}});
    } else {
        for (const std::string& folder : found.folders) EXPECT_EQ(folder.find('?'), std::string::npos) << folder;
    }
    EXPECT_EQ(found.byPath, expected) << "code page " << GetACP();
}

}  // namespace

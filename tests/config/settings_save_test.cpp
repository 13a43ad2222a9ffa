// Saving the settings file as people and disks leave it: declared in another
// encoding than UTF-8, and on a disk too full for a second copy of it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "config/config_document.h"
#include "config/settings.h"
#include "platform/handle.h"
#include "support/scratch.h"

namespace {

using config::SkipFolder;
using testsupport::ProgramPlace;
using testsupport::ReadFile;

// A settings document whose skip folder is "D:\café", as text: the caller
// encodes it.
std::wstring Document(const std::wstring& declaration) {
    return declaration +
           L"<Config><Options><SkipFolders><default/>"
           L"<items><item checked=\"1\" folder=\"D:\\caf\u00E9\"/></items></SkipFolders></Options></Config>\r\n";
}

std::string Encoded(const std::wstring& text, UINT codePage) {
    const int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                        nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

std::string Utf16WithMark(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

// A file hand-edited in another encoding is saved in UTF-8 and declared so.
// Before, the bytes were UTF-8 under the old declaration: "D:\café" came
// back as "D:\cafÃ©" (and the next scan cleaned the folder it skipped), and
// a UTF-16 file could not be read at all afterwards.
TEST(SettingsSave, TheDeclarationAlwaysNamesTheEncodingOfTheBytes) {
    const std::string cafe = "D:\\caf\xE9";  // the test's code page is 1252
    struct Case {
        const char* label;
        std::string bytes;
    } cases[] = {
        {"ISO-8859-1", Encoded(Document(L"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"), 28591)},
        {"windows-1252", Encoded(Document(L"<?xml version='1.0' encoding='windows-1252'?>\r\n"), 1252)},
        {"UTF-16", Utf16WithMark(Document(L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"))},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + Encoded(Document(L"<?xml version=\"1.0\"?>\r\n"), CP_UTF8)},
        {"no declaration", Encoded(Document(L""), CP_UTF8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ProgramPlace place("encodings");
        place.WriteSettings(c.bytes);
        ASSERT_EQ(config::LoadSkipFolders(config::ValueSet::Custom), (std::vector<SkipFolder>{{cafe, 1}}));
        EXPECT_TRUE(config::SaveSkipFolders({{cafe, 1}, {"E:\\new", 0}}));
        EXPECT_EQ(config::LoadSkipFolders(config::ValueSet::Custom),
                  (std::vector<SkipFolder>{{cafe, 1}, {"E:\\new", 0}}));
        const std::string saved = ReadFile(place.SettingsPath());
        EXPECT_NE(saved.find("caf\xC3\xA9"), std::string::npos) << saved;
        if (saved.compare(0, 5, "<?xml") == 0 && saved.find("encoding") < saved.find("?>")) {
            EXPECT_NE(saved.find("encoding=\"utf-8\""), std::string::npos);
        }
    }
}

// On a disk too full for the new file, a save fails, says so, and leaves
// the file as it was, also where it would have made a missing element. Before, the file was written in place and came out
// empty: every setting lost.
TEST(SettingsSave, AFullDiskLeavesTheOldFileWholeAndTheFailureIsTold) {
    ULARGE_INTEGER free{};
    if (!::GetDiskFreeSpaceExA("f:\\", &free, nullptr, nullptr) || free.QuadPart > 200 * 1024) {
        GTEST_SKIP() << "the test bed could not mount its nearly full drive (mounting needs root)";
    }
    ProgramPlace place("full-save", 'f');
    std::vector<SkipFolder> folders;
    for (int i = 0; i < 400; ++i) folders.push_back({"D:\\a folder to leave out of every search " + std::to_string(i), 1});
    place.WriteSettings("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Config><Options><SkipFolders><default/><items/>"
                        "</SkipFolders></Options></Config>\n");
    ASSERT_TRUE(config::SaveSkipFolders(folders));
    const std::string before = ReadFile(place.SettingsPath());
    // Fill what is left of the drive, so that no second copy fits.
    const std::string filler = place.Folder() + "\\filler.bin";
    {
        platform::UniqueHandle file(::CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        const std::string block(4096, 'f');
        DWORD written = 0;
        while (::WriteFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
               written == block.size()) {
        }
    }
    folders.push_back({"E:\\one more", 1});
    EXPECT_FALSE(config::SaveSkipFolders(folders));
    // The keep list, the ticked application rules, the language and the age
    // of backups, whose elements this file lacks.
    EXPECT_FALSE(config::SaveKeepList({{"E:\\kept", true}}));
    EXPECT_FALSE(config::SaveCheckedRules({"Tool: cache"}));
    EXPECT_FALSE(config::AddToKeepList({"E:\\kept.txt", false}));
    EXPECT_FALSE(config::SaveLanguage("de"));
    config::CleanOptions clean = config::LoadCleanOptions(config::ValueSet::Custom);
    clean.removeOldSets = 1;
    clean.setAgeDays = 30;
    EXPECT_FALSE(config::SaveCleanOptions(clean));
    ::DeleteFileA(filler.c_str());
    EXPECT_EQ(ReadFile(place.SettingsPath()), before);
    EXPECT_EQ(config::LoadSkipFolders(config::ValueSet::Custom).size(), 400u);
}

}  // namespace

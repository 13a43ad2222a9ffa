// The registry trace cleaners against keys and values made in the test
// prefix's registry: what each must erase and what it must leave.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "clean/trace_cleaners.h"
#include "platform/registry.h"
#include "recording_sink.h"
#include "support/scratch.h"
#include "text/language_table.h"

namespace {

struct RegEntry {
    HKEY hive;
    std::string key;
    const char* value;  // null: the key itself, made with a subkey and a value
};

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const std::string kBars = "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\";
const std::string kTelnet = "Software\\Microsoft\\Telnet";
const std::string kUserLogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kMachineLogon = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";

void Make(const RegEntry& e) {
    platform::RegistryKey key = platform::RegistryKey::Create(e.hive, e.key);
    ASSERT_TRUE(key.Opened()) << e.key;
    key.SetText(e.value ? e.value : "a", "trace");
    if (!e.value) platform::RegistryKey::Create(key.Get(), "child").SetText("b", "trace");
}

bool Exists(const RegEntry& e) {
    platform::RegistryKey key = platform::RegistryKey::Open(e.hive, e.key, KEY_READ);
    return key.Opened() && (!e.value || key.HasValue(e.value));
}

void Remove(const RegEntry& e) {
    if (e.value) {
        platform::DeleteValue(e.hive, e.key, e.value);
    } else {
        platform::DeleteKeyTree(e.hive, e.key);
    }
}

std::string Describe(const RegEntry& e) {
    return std::string(e.hive == HKEY_CURRENT_USER ? "HKCU\\" : "HKLM\\") + e.key + (e.value ? std::string(" : ") + e.value : "");
}

struct RegistryCase {
    int cleaner;
    std::vector<RegEntry> erased;
    std::vector<RegEntry> kept;
};

std::vector<RegistryCase> Cases() {
    HKEY cu = HKEY_CURRENT_USER, lm = HKEY_LOCAL_MACHINE;
    return {
        {2,
         {{cu, "Software\\Microsoft\\RAS Autodial\\Addresses", nullptr}},
         {{cu, "Software\\Microsoft\\RAS Autodial\\Control", nullptr},
          {lm, "Software\\Microsoft\\RAS Autodial\\Addresses", nullptr}}},
        {5,
         {{cu, kExplorer + "RunMRU", nullptr}},
         {{cu, kExplorer + "RunMRUKeep", nullptr}, {lm, kExplorer + "RunMRU", nullptr}}},
        {7,
         {{cu, kUserLogon, "DefaultUserName"},
          {cu, kUserLogon, "AltDefaultUserName"},
          {lm, kMachineLogon, "DefaultUserName"}},
         {{cu, kUserLogon, "DefaultDomainName"},
          {lm, kMachineLogon, "AltDefaultUserName"},
          {cu, kMachineLogon, "DefaultUserName"}}},
        {8,
         {{cu, kExplorer + "Doc Find Spec MRU", nullptr},
          {cu, kBars + "ContainingTextMRU", nullptr},
          {cu, kBars + "FilesNamedMRU", nullptr}},
         {{cu, kBars + "ComputerNameMRU", nullptr},
          {cu, kExplorer + "FindComputerMRU", nullptr},
          {lm, kBars + "FilesNamedMRU", nullptr}}},
        {9,
         {{cu, kExplorer + "FindComputerMRU", nullptr}, {cu, kBars + "ComputerNameMRU", nullptr}},
         {{cu, kBars + "FilesNamedMRU", nullptr},
          {cu, kExplorer + "Doc Find Spec MRU", nullptr},
          {lm, kBars + "ComputerNameMRU", nullptr}}},
        {11,
         {{cu, kTelnet, "Machine1"},
          {cu, kTelnet, "Machine2"},
          {cu, kTelnet, "Machine3"},
          {cu, kTelnet, "Service1"},
          {cu, kTelnet, "TermType8"},
          {cu, kTelnet, "LastMachine"},
          {cu, kTelnet, "LastService"},
          {cu, kTelnet, "LastTermType"}},
         {{cu, kTelnet, "Machine9"}, {cu, kTelnet, "Machine0"}, {cu, kTelnet, "Options"}}},
    };
}

// Parent keys the cases create; those that were not there before the test
// are taken away again afterwards, so the prefix stays as it was.
class ScaffoldKeys {
public:
    ScaffoldKeys() {
        HKEY cu = HKEY_CURRENT_USER, lm = HKEY_LOCAL_MACHINE;
        for (const RegEntry& e : std::vector<RegEntry>{
                 {cu, "Software\\Microsoft\\RAS Autodial", nullptr},
                 {lm, "Software\\Microsoft\\RAS Autodial", nullptr},
                 {cu, kTelnet, nullptr},
                 {cu, "Software\\Microsoft\\Internet Explorer\\Explorer Bars", nullptr},
                 {lm, "Software\\Microsoft\\Internet Explorer\\Explorer Bars", nullptr},
                 {cu, kMachineLogon, nullptr},
                 {lm, kMachineLogon, nullptr},
             }) {
            if (!Exists(e)) absent_.push_back(e);
        }
    }
    ~ScaffoldKeys() {
        for (const RegEntry& e : absent_) Remove(e);
    }

private:
    std::vector<RegEntry> absent_;
};

TEST(RegistryTraceCleaners, EraseTheirKeysAndValuesAndNothingBeside) {
    ScaffoldKeys scaffold;
    for (const RegistryCase& c : Cases()) {
        for (const RegEntry& e : c.erased) Make(e);
        for (const RegEntry& e : c.kept) Make(e);
        cleantest::RecordingProgress progress;
        clean::RunTraceCleaner(c.cleaner, progress);
        EXPECT_EQ(progress.Events(),
                  std::vector<std::string>({"status _cpclringcleanck" + std::to_string(c.cleaner), "pos 50", "pos 100"}));
        for (const RegEntry& e : c.erased) EXPECT_FALSE(Exists(e)) << "cleaner " << c.cleaner << " left " << Describe(e);
        for (const RegEntry& e : c.kept) EXPECT_TRUE(Exists(e)) << "cleaner " << c.cleaner << " erased " << Describe(e);
        for (const RegEntry& e : c.kept) Remove(e);
        // Nothing left to erase is no error either.
        clean::RunTraceCleaner(c.cleaner, progress);
        for (const RegEntry& e : c.kept) EXPECT_FALSE(Exists(e));
    }
}

// Every status the engine, the cleaners and the job show has its text in
// the shipped language file (a missing one would show as its bare key).
TEST(StatusTexts, AllHaveAShippedText) {
    testsupport::ProgramPlace place;
    place.CopyShipped("JunkSweep.lng");
    std::vector<std::string> keys = {"_cpStartCleanState", "_cpGetList",        "_cpBackuping",
                                     "_cpCleaning",        "_cpMovingtorecycle", "_cpMovingtofolder",
                                     "_cpThreadCompleted", "_cpThreadStopped"};
    for (const clean::TraceCleaner& c : clean::TraceCleaners()) keys.push_back(c.statusKey);
    for (const std::string& key : keys) EXPECT_NE(text::LookupText(key), key);
    cleantest::RecordingProgress progress;
    clean::RunTraceCleaner(5, progress);
    EXPECT_EQ(progress.Statuses(), std::vector<std::string>({text::LookupText("_cpclringcleanck5")}));
}

TEST(RunTraceCleaner, NumbersOutsideTheTableDoNothing) {
    cleantest::RecordingProgress progress;
    for (int n : {0, 14, -1}) clean::RunTraceCleaner(n, progress);
    EXPECT_TRUE(progress.Events().empty());
}

}  // namespace

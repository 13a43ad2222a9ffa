#include "rescue_fixtures.h"

#include <stdexcept>

#include "platform/codepage.h"
#include "platform/handle.h"
#include "support/scratch.h"

namespace rescuetest {

std::string MakeSet(const std::string& root, const std::string& name, const std::vector<SetFile>& files) {
    std::string set = root + "\\" + name;
    testsupport::MakeFolders(set);
    for (const SetFile& file : files) {
        std::string path = set + "\\" + file.relative;
        testsupport::MakeFolders(path.substr(0, path.find_last_of('\\')));
        testsupport::WriteFile(path, file.content);
    }
    return set;
}

namespace {

void Collect(const std::wstring& folder, std::map<std::string, std::string>& out) {
    WIN32_FIND_DATAW entry{};
    platform::FindHandle listing(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!listing) return;
    do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = folder + L"\\" + name;
        std::string key = platform::ToNarrow(path.substr(4));  // without the literal prefix
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[key] = "<dir>";
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) Collect(path, out);
        } else {
            platform::UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                      OPEN_EXISTING, 0, nullptr));
            std::string content;
            char buffer[4096];
            DWORD got = 0;
            while (file && ::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got) content.append(buffer, got);
            out[key] = content;
        }
    } while (::FindNextFileW(listing.Get(), &entry));
}

}  // namespace

std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> out;
    // The literal form lists names such as "a." exactly as they are stored.
    Collect(L"\\\\?\\" + platform::ToWide(folder), out);
    return out;
}

std::map<std::string, std::string> SnapshotDrives() {
    auto all = Snapshot("d:");
    all.merge(Snapshot("e:"));
    return all;
}

std::vector<std::string> Differences(const std::map<std::string, std::string>& before,
                                     const std::map<std::string, std::string>& after) {
    std::vector<std::string> changed;
    for (const auto& [path, content] : after) {
        auto it = before.find(path);
        if (it == before.end()) {
            changed.push_back("+" + path);
        } else if (it->second != content) {
            changed.push_back("~" + path);
        }
    }
    for (const auto& [path, content] : before) {
        if (!after.count(path)) changed.push_back("-" + path);
    }
    return changed;
}

MessageBoxWatcher::MessageBoxWatcher(HWND owner, int answer)
    : owner_(owner), answer_(answer), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<std::string> MessageBoxWatcher::Texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
}

void MessageBoxWatcher::Watch() {
    struct Search {
        HWND owner;
        HWND box = nullptr;
    };
    while (!stop_) {
        Search search{owner_};
        ::EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                auto* s = reinterpret_cast<Search*>(context);
                char className[32] = {};
                ::GetClassNameA(window, className, sizeof className);
                if (std::string(className) == "#32770" && ::GetWindow(window, GW_OWNER) == s->owner &&
                    ::IsWindowVisible(window)) {
                    s->box = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.box) {
            char message[1024] = {};
            ::GetDlgItemTextA(search.box, 0xFFFF, message, sizeof message);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                texts_.emplace_back(message);
            }
            // A box with only OK answers IDOK to Cancel as well.
            int answer = answer_;
            if (!::GetDlgItem(search.box, answer)) answer = IDOK;
            ::SendMessageA(search.box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(search.box, answer)));
            // Wait for the box to go before looking again.
            for (int i = 0; i < 200 && ::IsWindow(search.box); ++i) ::Sleep(10);
        }
        ::Sleep(10);
    }
}

}  // namespace rescuetest

// The clipboard, recycle-bin and browser-cache cleaners.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "clean/clean_engine.h"
#include "clean/trace_cleaners.h"
#include "platform/handle.h"
#include "recording_sink.h"
#include "bin_view.h"
#include "support/scratch.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

void PutTextOnClipboard(const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    size_t size = std::strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

TEST(ClipboardCleaner, EmptiesTheClipboardWhenItCanOpenIt) {
    PutTextOnClipboard("secret");
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    // While another window has it open, the cleaner passes over it.
    std::atomic<int> stage{0};
    std::thread holder([&] {
        HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        stage = OpenClipboard(window) ? 1 : -1;
        while (stage == 1) Sleep(1);
        CloseClipboard();
        DestroyWindow(window);
    });
    while (stage == 0) Sleep(1);
    ASSERT_EQ(stage, 1);
    cleantest::RecordingProgress progress;
    clean::RunTraceCleaner(1, progress);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    stage = 2;
    holder.join();

    clean::RunTraceCleaner(1, progress);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(CountClipboardFormats(), 0);
}

TEST(RecycleBinCleaner, EmptiesTheBinWithoutAsking) {
    std::string name = "bin-" + std::to_string(GetTickCount()) + ".tmp";
    std::string path = testsupport::NewScratchFolder("bin") + "\\" + name;
    WriteFile(path, "x");
    cleantest::RecordingProgress progress;
    clean::StopFlag stop{0};
    clean::RecycleFiles({path}, progress, stop);
    auto bin = cleantest::RecycleBinFolder();
    ASSERT_TRUE(bin);
    ASSERT_TRUE(cleantest::FindInBin(bin.Get(), name));
    progress.Clear();
    clean::RunTraceCleaner(4, progress);
    EXPECT_FALSE(cleantest::FindInBin(bin.Get(), name));
    EXPECT_EQ(progress.Events(), std::vector<std::string>({"status _cpclringcleanck4", "pos 50", "pos 100"}));
}

void CommitCacheEntry(const std::string& url, DWORD type) {
    char file[MAX_PATH] = {};
    ASSERT_TRUE(CreateUrlCacheEntryA(url.c_str(), 0, "txt", file, 0)) << url << " " << GetLastError();
    WriteFile(file, "cached " + url);
    FILETIME none{};
    ASSERT_TRUE(CommitUrlCacheEntryA(url.c_str(), file, none, none, type, nullptr, 0, nullptr, nullptr))
        << url << " " << GetLastError();
}

bool InCache(const std::string& url) {
    DWORD size = 0;
    if (GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size)) return true;
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

std::string CacheFolder() {
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_INTERNET_CACHE, FALSE));
    return path;
}

TEST(BrowserCacheCleaner, DeletesEveryEntryButCookies) {
    std::string tag = std::to_string(GetTickCount());
    std::vector<std::string> pages;
    for (int i = 0; i < 5; ++i) pages.push_back("http://cache" + std::to_string(i) + "-" + tag + ".test/page.html");
    for (const std::string& url : pages) CommitCacheEntry(url, NORMAL_CACHE_ENTRY);
    std::string cookieEntry = "http://cookieentry-" + tag + ".test/";
    CommitCacheEntry(cookieEntry, COOKIE_CACHE_ENTRY);
    std::string cookieSite = "http://cookie-" + tag + ".test/";
    ASSERT_TRUE(InternetSetCookieA(cookieSite.c_str(), "kept", "yes; expires=Sat, 01-Jan-2050 00:00:00 GMT"));
    for (const std::string& url : pages) ASSERT_TRUE(InCache(url)) << url;

    // Index files in the cache folder are deleted when free and otherwise
    // left exactly as they are: this cleaner does not wipe them.
    std::string folder = CacheFolder();
    std::string busyIndex = folder + "\\busy-" + tag + "\\index.dat";
    std::string freeIndex = folder + "\\free-" + tag + "\\index.dat";
    std::string original(100 * 1024, 'i');
    testsupport::MakeFolders(busyIndex.substr(0, busyIndex.rfind('\\')));
    testsupport::MakeFolders(freeIndex.substr(0, freeIndex.rfind('\\')));
    WriteFile(busyIndex, original);
    WriteFile(freeIndex, original);
    platform::UniqueHandle held(CreateFileA(busyIndex.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_EXISTING, 0, nullptr));

    cleantest::RecordingProgress progress;
    clean::RunTraceCleaner(13, progress);
    held.Reset();
    for (const std::string& url : pages) EXPECT_FALSE(InCache(url)) << url;
    EXPECT_TRUE(InCache(cookieEntry));
    char value[256] = {};
    DWORD size = sizeof value;
    EXPECT_TRUE(InternetGetCookieA(cookieSite.c_str(), "kept", value, &size));
    EXPECT_STREQ(value, "kept=yes");
    EXPECT_EQ(ReadFile(busyIndex), original);
    EXPECT_FALSE(testsupport::FileExists(freeIndex));
    EXPECT_EQ(progress.Statuses(), std::vector<std::string>({"_cpclringcleanck13"}));

    // Leave no cookie behind for other tests.
    InternetSetCookieA(cookieSite.c_str(), "kept", "; expires=Thu, 01-Jan-1970 00:00:00 GMT");
    DeleteUrlCacheEntryA(cookieEntry.c_str());
    DeleteFileA(busyIndex.c_str());
    RemoveDirectoryA(busyIndex.substr(0, busyIndex.rfind('\\')).c_str());
}

}  // namespace

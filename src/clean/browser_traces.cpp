#include "clean/browser_traces.h"

#include <windows.h>
#include <urlhist.h>
#include <wininet.h>

#include <string>
#include <vector>

#include "platform/com.h"
#include "platform/handle.h"

namespace clean {

namespace {
// The URL-history service's class; the system headers name only its interfaces.
constexpr CLSID kUrlHistoryClass = {0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
}  // namespace

void ClearUrlHistoryService() {
    platform::ComPtr<IUrlHistoryStg2> history;
    if (FAILED(::CoCreateInstance(kUrlHistoryClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUrlHistoryStg2,
                                  history.PutVoid()))) {
        return;
    }
    history->ClearHistory();
}

namespace {

// One cache entry record; the platform tells the size it needs.
using EntryBuffer = std::vector<unsigned char>;

INTERNET_CACHE_ENTRY_INFOA* Entry(EntryBuffer& buffer) {
    return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
}

// Fetches an entry with the two-call size protocol: a call without buffer
// learns the size, a second call fills a buffer of that size. The call is
// repeated while the entry grows between the two.
template <typename Fetch>
bool FetchEntry(EntryBuffer& buffer, Fetch fetch) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        if (fetch(nullptr, &size)) return false;  // cannot happen with no buffer; treat as the end
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return false;
        buffer.assign(size, 0);
        if (fetch(Entry(buffer), &size)) return true;
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    }
    return false;
}

struct UrlCacheFindTraits {
    using Value = HANDLE;
    static Value Invalid() { return nullptr; }
    static bool IsValid(Value v) { return v != nullptr; }
    static void Close(Value v) { ::FindCloseUrlCache(v); }
};
using UrlCacheFind = platform::UniqueResource<UrlCacheFindTraits>;

}  // namespace

void DeleteNonCookieCacheEntries() {
    // The addresses are collected first and deleted afterwards, so that
    // deleting cannot disturb the enumeration.
    std::vector<std::string> doomed;
    UrlCacheFind search;
    EntryBuffer buffer;
    bool found = FetchEntry(buffer, [&](INTERNET_CACHE_ENTRY_INFOA* entry, DWORD* size) {
        HANDLE h = ::FindFirstUrlCacheEntryA(nullptr, entry, size);
        search.Reset(h);
        return h != nullptr;
    });
    while (found) {
        const INTERNET_CACHE_ENTRY_INFOA* entry = Entry(buffer);
        if (!(entry->CacheEntryType & COOKIE_CACHE_ENTRY) && entry->lpszSourceUrlName) {
            doomed.emplace_back(entry->lpszSourceUrlName);
        }
        found = FetchEntry(buffer, [&](INTERNET_CACHE_ENTRY_INFOA* next, DWORD* size) {
            return ::FindNextUrlCacheEntryA(search.Get(), next, size) != FALSE;
        });
    }
    for (const std::string& url : doomed) ::DeleteUrlCacheEntryA(url.c_str());
}

}  // namespace clean

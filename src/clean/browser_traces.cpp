#include "clean/browser_traces.h"

#include <windows.h>
#include <urlhist.h>

#include <string>
#include <vector>

#include "platform/com.h"
#include "platform/url_cache.h"

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

void DeleteNonCookieCacheEntries() {
    // The addresses are collected first and deleted afterwards, so that
    // deleting cannot disturb the enumeration.
    std::vector<std::string> doomed;
    platform::UrlCacheListing cache;
    while (cache.Next()) {
        const INTERNET_CACHE_ENTRY_INFOA& entry = cache.Entry();
        if (!(entry.CacheEntryType & COOKIE_CACHE_ENTRY) && entry.lpszSourceUrlName) {
            doomed.emplace_back(entry.lpszSourceUrlName);
        }
    }
    for (const std::string& url : doomed) platform::DeleteUrlCacheEntry(url);
}

}  // namespace clean

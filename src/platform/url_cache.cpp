#include "platform/url_cache.h"

namespace platform {

namespace {

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

}  // namespace

bool UrlCacheListing::Next() {
    if (!started_) {
        started_ = true;
        return FetchEntry(buffer_, [&](INTERNET_CACHE_ENTRY_INFOA* entry, DWORD* size) {
            HANDLE h = ::FindFirstUrlCacheEntryA(nullptr, entry, size);
            find_.Reset(h);
            return h != nullptr;
        });
    }
    if (!find_) return false;
    return FetchEntry(buffer_, [&](INTERNET_CACHE_ENTRY_INFOA* entry, DWORD* size) {
        return ::FindNextUrlCacheEntryA(find_.Get(), entry, size) != FALSE;
    });
}

bool DeleteUrlCacheEntry(const std::string& url) { return ::DeleteUrlCacheEntryA(url.c_str()) != FALSE; }

}  // namespace platform

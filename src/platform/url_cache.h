#pragma once
// The browser cache's entries, read one after the other like a folder
// listing, and deleted by address.
#include <windows.h>
#include <wininet.h>

#include <string>
#include <vector>

#include "platform/handle.h"

namespace platform {

class UrlCacheListing {
public:
    // Moves to the next entry of the cache (the first on the first call);
    // false when there is none, or the cache cannot be read.
    bool Next();
    // The current entry; valid until the next call of Next.
    const INTERNET_CACHE_ENTRY_INFOA& Entry() const {
        return *reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOA*>(buffer_.data());
    }

private:
    UniqueResource<NullHandleTraits<HANDLE, ::FindCloseUrlCache>> find_;
    std::vector<unsigned char> buffer_;  // one entry record, of the size the cache asks for
    bool started_ = false;
};

// Deletes the cache entry of the address; false when it could not.
bool DeleteUrlCacheEntry(const std::string& url);

}  // namespace platform

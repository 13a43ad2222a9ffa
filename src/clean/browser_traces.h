#pragma once
// The browser's address history and cache, through the system's own
// services. COM must be initialised on the calling thread for the history.
namespace clean {

// Asks the URL-history service to clear the history; silent when the service
// cannot be created or refuses.
void ClearUrlHistoryService();

// Deletes every cache entry that is not a cookie.
void DeleteNonCookieCacheEntries();

}  // namespace clean

#pragma once
// Finding the calendars of an account on a CalDAV server: from /.well-known/caldav (for
// a URL that names only the server) or the URL itself, through the current user's
// principal and its calendar home set, to the calendar collections that take events.
// One thread.

#include <string>
#include <vector>

#include "hosts/outlook/caldav_http.h"
#include "platform/base/result.h"

namespace feriant::outlook {

struct CalendarCollection {
  std::string name;  // its display name; the last part of its path when it has none
  std::string url;   // without credentials
};

// The collections that take VEVENTs, by URL. The Error names the URL and what the server
// said.
Result<std::vector<CalendarCollection>> FindCalendars(const std::string& url,
                                                      const ServerSettings& settings);

}  // namespace feriant::outlook

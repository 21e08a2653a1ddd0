#pragma once
// How the command line reaches a calendar server: the account (caldav_account.h), the
// password asked on the terminal without echo when the account has none, and the
// authority file of --cacert. The password lives in memory only. main's thread.

#include <optional>
#include <ostream>
#include <string>

#include "hosts/outlook/caldav_http.h"
#include "platform/base/result.h"

namespace feriant::cli {

// The settings for `url`. Refused with a message for a person (the URL holds a password,
// ~/.netrc can be read by others, the authority file does not exist).
Result<outlook::ServerSettings> ServerLogin(const std::string& url,
                                            const std::optional<std::string>& ca_file);

}  // namespace feriant::cli

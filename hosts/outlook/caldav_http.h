#pragma once
// HttpSession: the HTTP requests of a CalDAV client over libcurl, to one server.
//
// One session keeps its connections alive between requests and sends a batch of requests
// in parallel (a bounded number in flight, multiplexed over one HTTP/2 connection where
// the server offers it). Redirects are followed only by Send, and only to the same scheme
// and host: credentials never travel to another server, and https never turns into http.
// TLS is verified against the system's authorities, or against the file the settings
// name; there is no way to turn verification off.
//
// Every text this file makes names URLs without their user name or password. libcurl
// stays inside caldav_http.cpp. One thread.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/base/result.h"

namespace feriant::outlook {

// How to reach a calendar server.
struct ServerSettings {
  std::string user;      // none: requests carry no credentials
  std::string password;  // only with a user
  std::string ca_file;   // PEM authorities to verify TLS with instead of the system's
  size_t max_in_flight = 8;
  long connect_timeout_seconds = 15;
  // A request that receives nothing for this long is given up.
  long stall_timeout_seconds = 60;
};

struct HttpRequest {
  std::string method;  // "PUT", "REPORT", ...
  std::string url;     // absolute, without credentials
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
};

struct HttpResponse {
  long status = 0;      // 0: no answer (see failure)
  std::string failure;  // why there was no answer: "connection refused", ...
  std::string reason;   // the status line's text ("Precondition Failed")
  std::string body;
  std::string etag;      // the ETag header, as sent (quotes included)
  std::string location;  // the Location header
  bool ok() const { return status >= 200 && status < 300; }
};

// Why no request can be sent: libcurl, loaded when first needed, could not be loaded or
// initialised. Empty when requests can be sent.
std::string HttpUnavailable();

// Who an http or https URL names, percent-decoded: the host in lower case, the user name,
// and whether it holds a password; none when it cannot be parsed.
struct UrlAccount {
  std::string host;
  std::string user;
  bool has_password = false;
};
std::optional<UrlAccount> AccountOfUrl(std::string_view url);

// `url` without a user name or password; the URL itself when it cannot be parsed.
std::string UrlWithoutCredentials(std::string_view url);

// What a response means for a person: "the server answered 404 Not Found" or the
// failure ("could not connect: Connection refused").
std::string DescribeResponse(const HttpResponse& response);

// `text` percent-encoded for one path segment (everything but unreserved characters).
std::string PercentEncode(std::string_view text);

// `reference` (absolute, or a path on the server) resolved against `base`.
std::string ResolveUrl(std::string_view base, std::string_view reference);

// Whether `url` and `other` have the same scheme, host and port.
bool SameOrigin(std::string_view url, std::string_view other);

class HttpSession {
 public:
  explicit HttpSession(ServerSettings settings);
  HttpSession(const HttpSession&) = delete;
  HttpSession& operator=(const HttpSession&) = delete;
  ~HttpSession();

  // Sends one request and follows redirects to the same scheme and host (at most five).
  // `final_url` receives the URL that answered.
  HttpResponse Send(HttpRequest request, std::string* final_url = nullptr);

  // Sends `requests` in parallel, at most max_in_flight at a time, and calls `done` with
  // each one's index and answer as it arrives. Before each request is started, `proceed`
  // is asked; once it says no, nothing more is sent and SendAll returns when the requests
  // in flight have ended. Redirects are not followed. Returns how many were sent.
  size_t SendAll(const std::vector<HttpRequest>& requests,
                 const std::function<void(size_t, HttpResponse)>& done,
                 const std::function<bool()>& proceed);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace feriant::outlook

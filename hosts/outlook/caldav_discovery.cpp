#include "hosts/outlook/caldav_discovery.h"

#include <algorithm>

#include "hosts/outlook/caldav_xml.h"

namespace feriant::outlook {
namespace {

constexpr std::string_view kPropertyQuery =
    R"(<?xml version="1.0" encoding="utf-8"?>)"
    R"(<D:propfind xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><D:prop>)"
    R"(<D:current-user-principal/><C:calendar-home-set/><D:resourcetype/><D:displayname/>)"
    R"(<C:supported-calendar-component-set/></D:prop></D:propfind>)";
constexpr std::string_view kCalendarType = "{urn:ietf:params:xml:ns:caldav}calendar";

struct Answer {
  std::string url;  // the one that answered, after redirects
  std::vector<DavResponse> responses;
};

Result<Answer> Propfind(HttpSession& http, const std::string& url, std::string_view depth) {
  HttpRequest request{
      "PROPFIND",
      url,
      {{"Depth", std::string(depth)}, {"Content-Type", "application/xml; charset=utf-8"}},
      std::string(kPropertyQuery)};
  Answer answer;
  const HttpResponse response = http.Send(std::move(request), &answer.url);
  const std::string where = UrlWithoutCredentials(url);
  if (response.status != 207) {
    std::string why = response.ok() ? "the server does not answer as a WebDAV server"
                                    : DescribeResponse(response);
    if (response.status == 401) why += ": the user name or password was not accepted";
    return Error{0,
                 "The server at " + where + " cannot be asked for calendars: " + why + ".",
                 {},
                 ErrorKind::kSystem};
  }
  Result<std::vector<DavResponse>> parsed = ParseMultistatus(response.body);
  if (!parsed) {
    return Error{0,
                 "The server at " + where +
                     " answered in a way that cannot be read: " + parsed.error().description + ".",
                 {},
                 ErrorKind::kDamaged};
  }
  answer.responses = std::move(*parsed);
  return answer;
}

// The first href of property `name` in any response, resolved against `base`.
std::string HrefOf(const Answer& answer, std::string_view name) {
  for (const DavResponse& response : answer.responses) {
    const DavProperty* property = response.Find(name);
    if (property != nullptr && !property->hrefs.empty())
      return ResolveUrl(answer.url, property->hrefs.front());
  }
  return {};
}

bool TakesEvents(const DavResponse& response) {
  const DavProperty* type = response.Find("{DAV:}resourcetype");
  if (type == nullptr || std::find(type->children.begin(), type->children.end(), kCalendarType) ==
                             type->children.end()) {
    return false;
  }
  // A collection that does not say which components it takes takes them all.
  const DavProperty* set =
      response.Find("{urn:ietf:params:xml:ns:caldav}supported-calendar-component-set");
  return set == nullptr || set->component_names.empty() ||
         std::find(set->component_names.begin(), set->component_names.end(), "VEVENT") !=
             set->component_names.end();
}

std::string NameOf(const DavResponse& response, const std::string& url) {
  const DavProperty* name = response.Find("{DAV:}displayname");
  if (name != nullptr && !name->text.empty()) return name->text;
  std::string path = url;
  while (path.ends_with('/'))
    path.pop_back();
  return path.substr(path.rfind('/') + 1);
}

bool NamesOnlyServer(const std::string& url) {
  const size_t scheme = url.find("://");
  const size_t path = url.find('/', scheme == std::string::npos ? 0 : scheme + 3);
  return path == std::string::npos || path + 1 == url.size();
}

}  // namespace

Result<std::vector<CalendarCollection>> FindCalendars(const std::string& url,
                                                      const ServerSettings& settings) {
  HttpSession http(settings);
  const std::string start = UrlWithoutCredentials(url);
  Result<Answer> first = Propfind(
      http, NamesOnlyServer(start) ? ResolveUrl(start, "/.well-known/caldav") : start, "0");
  if (!first && NamesOnlyServer(start)) first = Propfind(http, start, "0");
  if (!first) return first.error();

  std::string home = HrefOf(*first, "{urn:ietf:params:xml:ns:caldav}calendar-home-set");
  const std::string principal = HrefOf(*first, "{DAV:}current-user-principal");
  if (home.empty() && !principal.empty()) {
    Result<Answer> at_principal = Propfind(http, principal, "0");
    if (!at_principal) return at_principal.error();
    home = HrefOf(*at_principal, "{urn:ietf:params:xml:ns:caldav}calendar-home-set");
  }
  if (home.empty()) home = first->url;

  Result<Answer> listing = Propfind(http, home, "1");
  if (!listing) return listing.error();
  std::vector<CalendarCollection> calendars;
  for (const DavResponse& response : listing->responses) {
    if (!TakesEvents(response)) continue;
    std::string found = UrlWithoutCredentials(ResolveUrl(listing->url, response.href));
    calendars.push_back(CalendarCollection{NameOf(response, found), found});
  }
  // The URL itself may be a calendar when it names one rather than an account.
  if (calendars.empty()) {
    for (const DavResponse& response : first->responses) {
      if (!TakesEvents(response)) continue;
      calendars.push_back(CalendarCollection{NameOf(response, first->url), first->url});
    }
  }
  std::sort(calendars.begin(), calendars.end(),
            [](const auto& a, const auto& b) { return a.url < b.url; });
  return calendars;
}

}  // namespace feriant::outlook

#pragma once
// The WebDAV answers a CalDAV client reads: a multistatus body as plain values, with
// element names in Clark notation ("{DAV:}getetag") whatever prefixes the server chose.
//
// pugixml stays inside caldav_xml.cpp. Plain functions and values; no thread affinity.

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/result.h"

namespace feriant::outlook {

inline constexpr std::string_view kDavNamespace = "DAV:";
inline constexpr std::string_view kCalDavNamespace = "urn:ietf:params:xml:ns:caldav";

// One property of a resource that the server found (its propstat said 2xx).
struct DavProperty {
  std::string name;                          // Clark notation
  std::string text;                          // its text content, line endings as sent
  std::vector<std::string> hrefs;            // the texts of {DAV:}href children
  std::vector<std::string> children;         // the Clark names of its child elements
  std::vector<std::string> component_names;  // the name attributes of {caldav}comp children
};

struct DavResponse {
  std::string href;  // as sent, usually a path
  std::vector<DavProperty> properties;

  // The property called `name` (Clark notation), or nullptr.
  const DavProperty* Find(std::string_view name) const;
  DavProperty* Find(std::string_view name);
};

// The responses of a {DAV:}multistatus body. The Error says why it is not one.
Result<std::vector<DavResponse>> ParseMultistatus(std::string_view xml);

}  // namespace feriant::outlook

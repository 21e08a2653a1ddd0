// The texts a CalDAV client reads and makes without a server: URLs, netrc entries and
// WebDAV multistatus answers.

#include <dlfcn.h>

#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "hosts/outlook/caldav_account.h"
#include "hosts/outlook/caldav_http.h"
#include "hosts/outlook/caldav_xml.h"
#include "tests/support/scratch_dir.h"

namespace feriant::outlook {
namespace {

// First in this file, so that nothing before it in the process has reached for a server.
TEST(CalDavUrlTest, LibcurlIsLoadedWhenAUrlIsFirstRead) {
  const auto loaded = [] {
    void* library = ::dlopen("libcurl.so.4", RTLD_NOW | RTLD_NOLOAD);
    if (library != nullptr) ::dlclose(library);
    return library != nullptr;
  };
  EXPECT_FALSE(loaded());
  EXPECT_EQ(UrlWithoutCredentials("http://alice:pw@host/cal/"), "http://host/cal/");
  EXPECT_TRUE(loaded());
  EXPECT_EQ(HttpUnavailable(), "");
}

TEST(CalDavUrlTest, CredentialsEncodingAndOrigins) {
  EXPECT_EQ(UrlWithoutCredentials("https://alice:pw@host.example/dav/"),
            "https://host.example/dav/");
  EXPECT_EQ(UrlWithoutCredentials("http://alice@127.0.0.1:5232/a/b/"),
            "http://127.0.0.1:5232/a/b/");
  EXPECT_EQ(PercentEncode("a b/c@d.ics~_-"), "a%20b%2Fc%40d.ics~_-");
  EXPECT_EQ(PercentEncode("ä"), "%C3%A4");
  const char* const resolved[][3] = {
      {"http://h:1/a/b/", "/c/", "http://h:1/c/"},
      {"https://h/a/", "/u@x/c%20d.ics", "https://h/u@x/c%20d.ics"},
      {"http://h/a/b/", "/x/./y/../z", "http://h/x/z"},
      {"http://h/a/b/", "c.ics", "http://h/a/b/c.ics"},
      {"https://h/a/", "//other/z", "https://other/z"},
      {"https://h/a/", "https://other/z", "https://other/z"},
      {"https://h/a/?q", "/b", "https://h/b"},
  };
  for (const auto& [base, reference, expected] : resolved)
    EXPECT_EQ(ResolveUrl(base, reference), expected) << base << " + " << reference;
  struct Case {
    const char* from;
    const char* to;
    bool same;
  };
  const Case cases[] = {
      {"https://h/a", "https://h/b", true},       {"https://h/a", "https://H:443/b", true},
      {"https://h/a", "http://h/a", false},  // never down to http
      {"http://h/a", "https://h/a", false},       {"https://h/a", "https://other/a", false},
      {"https://h/a", "https://h:8443/a", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SameOrigin(c.from, c.to), c.same) << c.from << " -> " << c.to;
}

TEST(CalDavAccountTest, NetrcEntries) {
  const std::string netrc =
      "machine other login bob password b1\n"
      "macdef init\nmachine host login mallory password evil\n\n"
      "machine HOST login alice password \"two words\"\n"
      "machine host login carol password c3\n"
      "default login anon password x\n";
  struct Case {
    const char* host;
    const char* user;
    const char* login;  // nullptr: no entry
    const char* password;
  };
  const Case cases[] = {
      {"host", "", "alice", "two words"},
      {"host", "carol", "carol", "c3"},
      {"other", "", "bob", "b1"},
      {"elsewhere", "", "anon", "x"},
  };
  for (const Case& c : cases) {
    const auto entry = FindNetrcEntry(netrc, c.host, c.user);
    ASSERT_TRUE(entry) << c.host << " " << c.user;
    EXPECT_EQ(entry->login, c.login);
    EXPECT_EQ(entry->password, c.password);
  }
  EXPECT_FALSE(FindNetrcEntry("machine other login bob\n", "host", ""));
  // Another user's default entry is not this user's.
  EXPECT_FALSE(FindNetrcEntry(netrc, "host", "dave"));
}

TEST(CalDavAccountTest, WhereUserAndPasswordComeFrom) {
  const testing::ScratchDir dir;
  const auto netrc = dir.path() / ".netrc";
  { std::ofstream(netrc) << "machine h.example login alice password from-netrc\n"; }
  std::filesystem::permissions(netrc, std::filesystem::perms::owner_read);
  Result<ServerAccount> account = FindAccount("https://h.example/dav/", netrc, "from-env");
  ASSERT_TRUE(account);
  EXPECT_EQ(account->user, "alice");
  EXPECT_EQ(account->password, "from-netrc");
  account = FindAccount("https://bob@H.example/dav/", netrc, "from-env");
  ASSERT_TRUE(account);
  EXPECT_EQ(account->user, "bob");
  EXPECT_EQ(account->host, "h.example");
  EXPECT_EQ(account->password, "from-env");
  EXPECT_EQ(account->url, "https://H.example/dav/");

  const char* refused[] = {"https://bob:pw@h.example/", "ftp://h.example/", "h.example/dav"};
  for (const char* url : refused)
    EXPECT_FALSE(FindAccount(url, dir.path() / "none", nullptr)) << url;
  std::filesystem::permissions(netrc, std::filesystem::perms::others_read,
                               std::filesystem::perm_options::add);
  EXPECT_FALSE(FindAccount("https://h.example/", netrc, nullptr));
}

TEST(CalDavXmlTest, MultistatusWhateverThePrefixes) {
  const std::string xml =
      "<?xml version=\"1.0\"?>\n"
      "<multistatus xmlns=\"DAV:\" xmlns:cal=\"urn:ietf:params:xml:ns:caldav\">"
      "<response><href>/a/x.ics</href>"
      "<propstat><prop><getetag>\"e1\"</getetag>"
      "<cal:calendar-data>BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n</cal:calendar-data></prop>"
      "<status>HTTP/1.1 200 OK</status></propstat>"
      "<propstat><prop><displayname/></prop><status>HTTP/1.1 404 Not Found</status></propstat>"
      "</response>"
      "<D:response xmlns:D=\"DAV:\"><D:href>/a/</D:href><D:propstat><D:prop>"
      "<D:resourcetype><D:collection/><C:calendar xmlns:C=\"urn:ietf:params:xml:ns:caldav\"/>"
      "</D:resourcetype><x:supported-calendar-component-set "
      "xmlns:x=\"urn:ietf:params:xml:ns:caldav\"><x:comp name=\"VEVENT\"/></x:supported-"
      "calendar-component-set></D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat>"
      "</D:response></multistatus>";
  Result<std::vector<DavResponse>> parsed = ParseMultistatus(xml);
  ASSERT_TRUE(parsed) << parsed.error().description;
  ASSERT_EQ(parsed->size(), 2u);
  const DavResponse& event = (*parsed)[0];
  EXPECT_EQ(event.href, "/a/x.ics");
  ASSERT_NE(event.Find("{DAV:}getetag"), nullptr);
  EXPECT_EQ(event.Find("{DAV:}getetag")->text, "\"e1\"");
  EXPECT_EQ(event.Find("{urn:ietf:params:xml:ns:caldav}calendar-data")->text,
            "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
  EXPECT_EQ(event.Find("{DAV:}displayname"), nullptr);  // not found on the server
  const DavResponse& collection = (*parsed)[1];
  EXPECT_EQ(
      collection.Find("{DAV:}resourcetype")->children,
      (std::vector<std::string>{"{DAV:}collection", "{urn:ietf:params:xml:ns:caldav}calendar"}));
  EXPECT_EQ(collection.Find("{urn:ietf:params:xml:ns:caldav}supported-calendar-component-set")
                ->component_names,
            std::vector<std::string>{"VEVENT"});

  for (const char* wrong : {"<html/>", "not xml", "<D:multistatus xmlns:D=\"other\"/>"})
    EXPECT_FALSE(ParseMultistatus(wrong)) << wrong;
}

}  // namespace
}  // namespace feriant::outlook

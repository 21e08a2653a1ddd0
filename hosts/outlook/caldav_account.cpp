#include "hosts/outlook/caldav_account.h"

#include <sys/stat.h>

#include <cctype>
#include <memory>
#include <vector>

#include "hosts/outlook/caldav_http.h"
#include "hosts/outlook/caldav_store.h"
#include "platform/base/file.h"

namespace feriant::outlook {
namespace {

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

Error Refused(std::string text) {
  return Error{0, std::move(text), {}, ErrorKind::kInvalid};
}

// The words of a netrc text without its macros; a quoted word may hold blanks.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < text.size()) {
    if (std::isspace(static_cast<unsigned char>(text[at])) != 0) {
      ++at;
      continue;
    }
    std::string word;
    if (text[at] == '"') {
      for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] == '\\' && at + 1 < text.size()) ++at;
        word += text[at];
      }
      ++at;
    } else {
      while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) == 0)
        word += text[at++];
    }
    // A macro runs to the next blank line; its words are no entries.
    if (word == "macdef") {
      const size_t end = text.find("\n\n", at);
      at = end == std::string_view::npos ? text.size() : end;
      continue;
    }
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace

std::optional<NetrcEntry> FindNetrcEntry(std::string_view text, std::string_view host,
                                         std::string_view user) {
  struct Entry {
    std::string machine;  // empty for "default"
    NetrcEntry values;
  };
  std::vector<Entry> entries;
  const std::vector<std::string> words = Words(text);
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool has_value = i + 1 < words.size();
    if (word == "machine" && has_value) {
      entries.push_back(Entry{Lower(words[++i]), {}});
    } else if (word == "default") {
      entries.push_back(Entry{});
    } else if (word == "login" && has_value && !entries.empty()) {
      entries.back().values.login = words[++i];
    } else if (word == "password" && has_value && !entries.empty()) {
      entries.back().values.password = words[++i];
    } else if (word == "account" && has_value) {
      ++i;
    }
  }
  const std::string wanted = Lower(std::string(host));
  for (const bool fallback : {false, true}) {
    for (const Entry& entry : entries) {
      if (fallback ? !entry.machine.empty() : entry.machine != wanted) continue;
      if (!user.empty() && !entry.values.login.empty() && entry.values.login != user) continue;
      return entry.values;
    }
  }
  return std::nullopt;
}

Result<ServerAccount> FindAccount(std::string_view url, const std::filesystem::path& netrc,
                                  const char* environment_password) {
  const auto not_a_url = [&] {
    return Refused("\"" + UrlWithoutCredentials(url) + "\" is not an http or https URL");
  };
  if (!IsCalendarUrl(url)) return not_a_url();
  if (const std::string unavailable = HttpUnavailable(); !unavailable.empty())
    return Refused(unavailable);
  const std::optional<UrlAccount> parts = AccountOfUrl(url);
  if (!parts) return not_a_url();
  if (parts->has_password) {
    return Refused(
        "a password does not belong in the URL, where the process list and the shell's "
        "history show it: leave it out and put it in ~/.netrc or " +
        std::string(kPasswordVariable));
  }
  ServerAccount account;
  account.url = UrlWithoutCredentials(url);
  account.host = parts->host;
  account.user = parts->user;

  struct stat status {};
  if (::stat(netrc.c_str(), &status) == 0) {
    if ((status.st_mode & (S_IRGRP | S_IROTH)) != 0) {
      return Refused(netrc.string() +
                     " can be read by other users, so its passwords are not used; make it "
                     "yours alone with: chmod 600 " +
                     netrc.string());
    }
    Result<std::string> bytes = base::ReadFile(netrc);
    if (!bytes) return Refused(netrc.string() + " cannot be read: " + bytes.error().description);
    if (std::optional<NetrcEntry> entry = FindNetrcEntry(*bytes, account.host, account.user)) {
      if (account.user.empty()) account.user = entry->login;
      if (!account.user.empty()) account.password = entry->password;
    }
  }
  if (!account.password && environment_password != nullptr && *environment_password != '\0')
    account.password = environment_password;
  return account;
}

}  // namespace feriant::outlook

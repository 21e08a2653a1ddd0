#pragma once
// Facts about the system and the user that the control library reports to its callers,
// the way the desktop it was designed for reports them. Where Linux has no such fact the
// answer is a fixed stand-in, documented here; nothing is cached. Plain functions; any
// thread.

#include <string>
#include <string_view>

namespace feriant::ui::system {

// The operating-system version record: platform id (1 the classic 9x family, 2 the NT
// family), major and minor version, build number and a free text.
struct OsVersion {
  int platform_id = 0;
  int major = 0;
  int minor = 0;
  int build = 0;
  std::string text;
};

// Stand-in: the NT family at version 10.0 (what a current desktop reports), build 0, so
// that no version of the classic era matches; the text names the running kernel
// ("Linux 6.1.0-13-amd64").
OsVersion Version();

// The logged-on user's login name (the password database's entry for the effective user,
// else $USER, else $LOGNAME); empty when none is known.
std::string UserName();

// The domain of the user's account: for a local account, the machine's own name, here
// the host name up to its first dot ("build-07" of "build-07.example.org"); empty when
// the system does not tell.
std::string DomainName();

// Stand-ins for the two system directories: "/usr" for the Windows directory (where the
// operating system's own files live) and "/usr/lib" for the system directory (where its
// shared libraries live).
std::string WindowsDirectory();
std::string SystemDirectory();

// The list separator of a locale name ("de_CH.UTF-8"), as the regional settings would
// give it: "," for English, Chinese, Japanese, Korean and the C or POSIX locale (and an
// empty name), ";" for every other language, as the desktop's regional settings do for
// languages that write decimal commas or follow their conventions.
std::string ListSeparatorOf(std::string_view locale);
// The same for the user's locale of number formats: the first non-empty of LC_ALL,
// LC_NUMERIC and LANG.
std::string ListSeparator();

}  // namespace feriant::ui::system

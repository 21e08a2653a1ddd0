#pragma once
// clsSysInfo: what the system, the user and the regional settings say, for callers that
// reach the library late-bound (Lumatrel.clsSysInfo). The answers come from the
// platform's system facts (platform/ui/core/system_facts.h, whose stand-ins on Linux are
// documented there) and the current user's registry.
//
// The records come back to late-bound callers as read-only objects whose properties are
// the fields (sys.OS.IsWin2000). The object keeps the version record after its first
// query; everything else is asked afresh at each call. The user-interface thread only.

#include <string>

#include "platform/automation/dispatch.h"
#include "platform/ui/core/system_facts.h"

namespace feriant::lumatrel {

struct typOsInfo {
  bool IsWin95 = false;
  bool IsWin98 = false;
  bool IsWinME = false;
  bool IsWinNT351 = false;
  bool IsWinNT4 = false;
  bool IsWin2000 = false;
  bool IsWinXP = false;
};

struct typInternationalSettings {
  std::string ListSep;
};

struct typFolders {
  std::string Windows;
  std::string System;
};

// Each flag is set exactly when platform, major and minor version are those of its
// system; any other version (the stand-in's NT 10.0 among them) sets none.
typOsInfo OsInfoOf(const ui::system::OsVersion& version);

class clsSysInfo final : public automation::DispatchObject<clsSysInfo> {
 public:
  // _clsSysInfo in slot order: OS, IntSettings (get), GetMSPLanguage, GetUserName,
  // GetDomainName (methods), Folders (get).
  static const automation::Members<clsSysInfo>& Interface();
  std::string TypeName() const override { return "clsSysInfo"; }

  const typOsInfo& OS();
  // ListSep: the text value "sList" of "Control Panel\International" in the user's
  // registry; empty when the user has none.
  typInternationalSettings IntSettings() const;
  // The value "CurrentUI" of "Software\Microsoft\Office\9.0\MS Project" as text (a
  // number in decimal); empty when missing.
  std::string GetMSPLanguage() const;
  // Empty when the system does not tell.
  std::string GetUserName() const;
  // The domain of the account named by GetUserName; empty without a user name.
  std::string GetDomainName() const;
  typFolders Folders() const;

 private:
  bool queried_ = false;
  typOsInfo os_;
};

}  // namespace feriant::lumatrel

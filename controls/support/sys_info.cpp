#include "controls/support/sys_info.h"

#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/support/identities.h"
#include "controls/support/registry_read.h"

namespace feriant::lumatrel {
namespace {

using automation::DispId;
using automation::Variant;
namespace ids = cls_sys_info::dispid;

constexpr auto kCurrentUser = registry::RegistryRoot::kCurrentUser;

// A record handed to a late-bound caller: its fields as read-only properties, dispatch
// ids 1, 2, ... in field order.
class Record final : public automation::Dispatch {
 public:
  using Field = std::pair<std::string, Variant>;
  Record(std::string type_name, std::vector<Field> fields)
      : type_name_(std::move(type_name)), fields_(std::move(fields)) {}

  std::string TypeName() const override { return type_name_; }
  Result<DispId> GetIdOfName(std::string_view name) const override {
    for (size_t i = 0; i < fields_.size(); ++i) {
      if (automation::NamesEqual(fields_[i].first, name)) return static_cast<DispId>(i + 1);
    }
    return automation::MakeError(automation::hresult::kUnknownName, std::string(name));
  }
  Result<Variant> Invoke(DispId id, automation::InvokeKind kind, std::span<Variant> /*args*/,
                         std::span<const automation::NamedArg> /*named*/) override {
    if (id < 1 || static_cast<size_t>(id) > fields_.size())
      return automation::MakeError(automation::hresult::kMemberNotFound);
    if (kind != automation::InvokeKind::kPropertyGet && kind != automation::InvokeKind::kMethod)
      return automation::MakeError(automation::hresult::kMemberNotFound, fields_[id - 1].first);
    return fields_[id - 1].second;
  }

 private:
  std::string type_name_;
  std::vector<Field> fields_;
};

Variant RecordVariant(std::string type_name, std::vector<Record::Field> fields) {
  return Variant(
      automation::ObjectRef(std::make_shared<Record>(std::move(type_name), std::move(fields))));
}

struct KnownVersion {
  bool typOsInfo::*flag;
  int platform_id;  // 1 the 9x family, 2 the NT family
  int major;
  int minor;
};

constexpr KnownVersion kKnownVersions[] = {
    {&typOsInfo::IsWin95, 1, 4, 0},  {&typOsInfo::IsWin98, 1, 4, 10},
    {&typOsInfo::IsWinME, 1, 4, 90}, {&typOsInfo::IsWinNT351, 2, 3, 51},
    {&typOsInfo::IsWinNT4, 2, 4, 0}, {&typOsInfo::IsWin2000, 2, 5, 0},
    {&typOsInfo::IsWinXP, 2, 5, 1},
};

template <class Fn>
automation::Members<clsSysInfo>::MethodFn TextMethod(Fn fn) {
  return [fn](clsSysInfo& self, std::span<Variant>,
              std::span<const automation::NamedArg>) -> Result<Variant> {
    return Variant(std::invoke(fn, self));
  };
}

}  // namespace

typOsInfo OsInfoOf(const ui::system::OsVersion& version) {
  typOsInfo info;
  for (const KnownVersion& known : kKnownVersions) {
    info.*known.flag = version.platform_id == known.platform_id && version.major == known.major &&
                       version.minor == known.minor;
  }
  return info;
}

const automation::Members<clsSysInfo>& clsSysInfo::Interface() {
  static const automation::Members<clsSysInfo> members = [] {
    using Args = std::span<Variant>;
    automation::Members<clsSysInfo> m;
    m.Get("OS", ids::kOS,
          [](clsSysInfo& self, Args) -> Result<Variant> {
            const typOsInfo& os = self.OS();
            return RecordVariant("typOsInfo", {{"IsWin95", os.IsWin95},
                                               {"IsWin98", os.IsWin98},
                                               {"IsWinME", os.IsWinME},
                                               {"IsWinNT351", os.IsWinNT351},
                                               {"IsWinNT4", os.IsWinNT4},
                                               {"IsWin2000", os.IsWin2000},
                                               {"IsWinXP", os.IsWinXP}});
          })
        .Get("IntSettings", ids::kIntSettings,
             [](clsSysInfo& self, Args) -> Result<Variant> {
               return RecordVariant("typInternationalSettings",
                                    {{"ListSep", self.IntSettings().ListSep}});
             })
        .Method("GetMSPLanguage", ids::kGetMSPLanguage, TextMethod(&clsSysInfo::GetMSPLanguage))
        .Method("GetUserName", ids::kGetUserName, TextMethod(&clsSysInfo::GetUserName))
        .Method("GetDomainName", ids::kGetDomainName, TextMethod(&clsSysInfo::GetDomainName))
        .Get("Folders", ids::kFolders, [](clsSysInfo& self, Args) -> Result<Variant> {
          typFolders folders = self.Folders();
          return RecordVariant("typFolders", {{"Windows", std::move(folders.Windows)},
                                              {"System", std::move(folders.System)}});
        });
    return m;
  }();
  return members;
}

const typOsInfo& clsSysInfo::OS() {
  if (!queried_) {
    os_ = OsInfoOf(ui::system::Version());
    queried_ = true;
  }
  return os_;
}

typInternationalSettings clsSysInfo::IntSettings() const {
  const Variant stored = ReadValueUnder(kCurrentUser, "Control Panel\\International", "sList");
  // A number stored there (a separator written as its code, say) is read as its text.
  return {stored.IsEmpty() ? std::string() : stored.ToString().value_or(std::string())};
}

std::string clsSysInfo::GetMSPLanguage() const {
  const Variant value =
      ReadValueUnder(kCurrentUser, "Software\\Microsoft\\Office\\9.0\\MS Project", "CurrentUI");
  return value.IsEmpty() ? std::string() : value.ToString().value_or(std::string());
}

std::string clsSysInfo::GetUserName() const {
  return ui::system::UserName();
}

std::string clsSysInfo::GetDomainName() const {
  if (GetUserName().empty()) return {};
  return ui::system::DomainName();
}

typFolders clsSysInfo::Folders() const {
  return {ui::system::WindowsDirectory(), ui::system::SystemDirectory()};
}

}  // namespace feriant::lumatrel

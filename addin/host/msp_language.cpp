#include "addin/host/msp_language.h"

#include <string>

#include "platform/automation/variant.h"
#include "platform/registry/settings_store.h"

namespace feriant::host {

std::int32_t GetMSPLanguage(std::string_view sVersion) {
  const std::string key = "Software\\Microsoft\\Office\\" + std::string(sVersion) + "\\MS Project";
  const automation::Variant stored =
      registry::ReadRegistryValue(registry::RegistryRoot::kCurrentUser, key, "CurrentUI");
  // Taken as text first, so that a number stored as text and one stored as a number are
  // read alike.
  Result<std::string> text = stored.ToString();
  if (!text || text->empty()) return kDefaultMSPLanguage;
  Result<std::int32_t> language = automation::Variant(*text).ToI4();
  return language ? *language : kDefaultMSPLanguage;
}

}  // namespace feriant::host

#include "addin/dialog/current_law_setting.h"

#include "platform/automation/variant.h"
#include "platform/registry/settings_store.h"

namespace feriant::dialog {

bool ReadCurrentLawSetting() {
  const automation::Variant stored = registry::ReadRegistryValue(
      registry::RegistryRoot::kCurrentUser, kSettingsKey, kCurrentLawValueName);
  // An empty value would coerce to 0, which is off as well.
  const Result<std::int32_t> value = stored.ToI4();
  return value && *value == 1;
}

}  // namespace feriant::dialog

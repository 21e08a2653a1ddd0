#include "platform/registry/registry.h"

#include <cstddef>
#include <cstdlib>
#include <system_error>

#include "platform/base/environment.h"
#include "platform/base/file.h"

namespace feriant::registry {
namespace {

// A person's registry holds a few settings and registrations; a file much larger than
// this is not one.
constexpr std::size_t kMaxRegistryBytes = std::size_t{16} << 20;

base::ReplaceOptions RegistryFileOptions() {
  base::ReplaceOptions options;
  options.max_bytes = kMaxRegistryBytes;
  return options;
}

// The hive a registry file's text holds; no text (no file) is the empty hive.
Result<Hive> HiveOf(const std::optional<std::string>& text, const std::filesystem::path& file) {
  if (!text) return Hive();
  return ParseRegistryFile(*text, file);
}

}  // namespace

Result<std::filesystem::path> Registry::CurrentUserFile() {
  if (const char* file = std::getenv("FERIANT_REGISTRY"); file != nullptr && *file != '\0')
    return std::filesystem::path(file);
  Result<std::filesystem::path> config = base::UserConfigDir();
  if (!config) {
    // Refused rather than put in whatever folder the program was started in.
    return ErrorOf(ErrorKind::kRefused,
                   "there is no per-user registry: " + config.error().description);
  }
  return *config / "feriant" / "registry.json";
}

Registry Registry::CurrentUser() {
  Result<std::filesystem::path> file = CurrentUserFile();
  if (!file) return Registry(file.error());
  return Registry(std::move(*file));
}

Result<Hive> Registry::Read() const {
  if (unusable_) return *unusable_;
  auto bytes = base::ReadFile(file_, kMaxRegistryBytes);
  if (!bytes) {
    if (bytes.error().kind == ErrorKind::kNotFound) return Hive();
    return bytes.error();
  }
  return ParseRegistryFile(*bytes, file_);
}

Status Registry::Update(const std::function<Status(Hive&)>& change) const {
  if (unusable_) return *unusable_;
  if (file_.has_parent_path()) {
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    if (error) return base::SystemError(error.value(), "cannot create the folder of", file_);
  }
  std::string text;
  // The content as read under the lock: what another process wrote up to now is kept.
  const base::NewContent apply =
      [&](const base::CurrentContent& current) -> Result<std::optional<std::string_view>> {
    Result<Hive> before = HiveOf(current, file_);
    if (!before) return before.error();
    Hive after = *before;
    if (Status changed = change(after); !changed) return changed.error();
    // Nothing to store: the file keeps its bytes, or stays absent.
    if (after == *before) return std::optional<std::string_view>(current);
    // A registry emptied again is no file at all, as before anything was written (a
    // missing file reads as an empty registry).
    if (after.empty()) return std::optional<std::string_view>();
    text = FormatRegistryFile(after);
    return std::optional<std::string_view>(text);
  };
  return base::StatusOf(file_, base::ReplaceFile(file_, apply, RegistryFileOptions()));
}

Result<bool> Registry::KeyExists(std::string_view key) const {
  auto hive = Read();
  if (!hive) return hive.error();
  return hive->KeyExists(key);
}

Result<std::optional<RegistryValue>> Registry::ReadValue(std::string_view key,
                                                         std::string_view name) const {
  auto hive = Read();
  if (!hive) return hive.error();
  return hive->ReadValue(key, name);
}

Result<std::vector<std::string>> Registry::SubKeyNames(std::string_view key) const {
  auto hive = Read();
  if (!hive) return hive.error();
  return hive->SubKeyNames(key);
}

Result<std::vector<NamedValue>> Registry::Values(std::string_view key) const {
  auto hive = Read();
  if (!hive) return hive.error();
  return hive->Values(key);
}

Status Registry::CreateKey(std::string_view key) const {
  return Update([&](Hive& hive) { return hive.CreateKey(key); });
}

Status Registry::WriteValue(std::string_view key, std::string_view name,
                            RegistryValue value) const {
  return Update([&](Hive& hive) { return hive.WriteValue(key, name, std::move(value)); });
}

Status Registry::DeleteValue(std::string_view key, std::string_view name) const {
  return Update([&](Hive& hive) { return hive.DeleteValue(key, name); });
}

Status Registry::DeleteKey(std::string_view key) const {
  return Update([&](Hive& hive) { return hive.DeleteKey(key); });
}

}  // namespace feriant::registry

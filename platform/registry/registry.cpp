#include "platform/registry/registry.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include <unistd.h>

#include "platform/base/environment.h"
#include "platform/base/file.h"

namespace feriant::registry {
namespace {

// The file's text, or nothing when there is no file.
Result<std::optional<std::string>> ReadIfPresent(const std::filesystem::path& file) {
  auto bytes = base::ReadFile(file);
  if (bytes) return std::optional<std::string>(std::move(*bytes));
  if (bytes.error().code == ENOENT) return std::optional<std::string>();
  return bytes.error();
}

}  // namespace

std::filesystem::path Registry::CurrentUserFile() {
  if (const char* file = std::getenv("FERIANT_REGISTRY"); file != nullptr && *file != '\0')
    return file;
  return base::UserConfigDir() / "feriant" / "registry.json";
}

Result<Hive> Registry::Read() const {
  auto bytes = ReadIfPresent(file_);
  if (!bytes) return bytes.error();
  if (!bytes->has_value()) return Hive();
  return ParseRegistryFile(**bytes, file_);
}

Status Registry::Update(const std::function<Status(Hive&)>& change) const {
  if (file_.has_parent_path()) {
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    if (error) return base::SystemError(error.value(), "cannot create the folder of", file_);
  }
  auto lock = base::FileLock::Acquire(file_);
  if (!lock) return lock.error();
  // Read only under the lock: what another process wrote up to now is kept.
  Result<Hive> before = Read();
  if (!before) return before.error();
  Hive after = *before;
  if (Status changed = change(after); !changed) return changed;
  // Nothing to store: the file keeps its bytes, or stays absent.
  if (after == *before) return Ok();
  // A registry emptied again is no file at all, as before anything was written (a
  // missing file reads as an empty registry).
  if (after.empty()) {
    if (::unlink(file_.c_str()) != 0 && errno != ENOENT) {
      return base::SystemError(errno, "cannot remove", file_);
    }
    return Ok();
  }
  return base::WriteFileAtomically(file_, FormatRegistryFile(after));
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

#pragma once
// Registry: the per-user registry, one Hive (hive.h) kept in one file a person can read.
//
// The file is $XDG_CONFIG_HOME/feriant/registry.json unless the environment variable
// FERIANT_REGISTRY names another. Every change is one transaction: take the file's lock,
// read the file as it is now (another process may have written it since), apply the
// change, and replace the file atomically; a change that leaves the content as it was
// writes nothing. A file that is not a registry file (not JSON, wrong structure, a value
// of another type) is reported with its path and what is wrong, and is never written
// over; a missing or empty file is an empty registry, and a change that empties the
// registry removes the file rather than writing an empty one. A Registry object holds nothing
// but the path, so any number of them, in any number of processes, may share one file.
// One thread per object.
//
// The file, pretty-printed with two spaces and always in the same order:
//
//   {
//     "version": 1,
//     "keys": {
//       "Software\\Classes\\Lumatrel.WhiteTop\\CLSID": {
//         "": "{7821D12D-EEB5-46F9-9049-D3EEB56902E5}"
//       },
//       "Software\\Quillmark\\Feriant\\2.0": {
//         "Region Index": 3
//       }
//     }
//   }
//
// "keys" maps a key's full path to its values: a JSON string is a text value (type 1), a
// JSON whole number from -2147483648 to 2147483647 a number value (type 4); the name ""
// is the default value. A key is listed when it holds values or has no subkeys; the keys
// above a listed key exist without being listed. Keys are listed depth first, subkeys and
// values in name order ignoring case. "version" is 1; any other member is refused.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/result.h"
#include "platform/registry/hive.h"

namespace feriant::registry {

// The text of a registry file holding `hive`, in the form above.
std::string FormatRegistryFile(const Hive& hive);
// Reads that text. Whitespace alone is an empty hive. Errors (kind kDamaged) name
// `file` and what is wrong with it.
Result<Hive> ParseRegistryFile(std::string_view text, const std::filesystem::path& file);

class Registry {
 public:
  explicit Registry(std::filesystem::path file) : file_(std::move(file)) {}

  // The current user's registry file: $FERIANT_REGISTRY when set and not empty, else
  // <user config dir>/feriant/registry.json (base::UserConfigDir, whose Error says why
  // there is none). Read from the environment at each call.
  static Result<std::filesystem::path> CurrentUserFile();
  // The registry of that file. Where there is none, every read and change fails with
  // the Error that says why, and file() is empty.
  static Registry CurrentUser();

  const std::filesystem::path& file() const { return file_; }

  // The registry as the file holds it now.
  Result<Hive> Read() const;
  // Applies `change` to the file's current content under the file's lock and stores the
  // result. When `change` fails, or the file cannot be read, nothing is written and its
  // error is returned. The directory of the file is created when missing. A change
  // stored while another program wrote the file ignoring its lock is reported as an
  // Error of kind kConflict naming where that program's version was kept
  // (base::ReplaceFile), though the change was stored.
  Status Update(const std::function<Status(Hive&)>& change) const;

  // One query or one change each, as Hive's members of the same names.
  Result<bool> KeyExists(std::string_view key) const;
  // Empty when the key or the value does not exist.
  Result<std::optional<RegistryValue>> ReadValue(std::string_view key, std::string_view name) const;
  Result<std::vector<std::string>> SubKeyNames(std::string_view key) const;
  Result<std::vector<NamedValue>> Values(std::string_view key) const;
  Status CreateKey(std::string_view key) const;
  Status WriteValue(std::string_view key, std::string_view name, RegistryValue value) const;
  Status DeleteValue(std::string_view key, std::string_view name) const;
  Status DeleteKey(std::string_view key) const;

 private:
  explicit Registry(Error unusable) : unusable_(std::move(unusable)) {}

  std::filesystem::path file_;
  std::optional<Error> unusable_;  // why there is no file
};

}  // namespace feriant::registry

#pragma once
// Property bags: where a user control persists its settings, key by key, in the order
// written.
//
// ReadProperty(key, default): the stored value, or the default when the key is missing;
// a missing key without a default is an error (so that a control can leave a setting
// alone). Keys compare ignoring ASCII case and keep the case first written.
//
// WriteProperty(key, value, default): a value equal to its default is not stored (and a
// stored value under that key is removed); without a default every value is stored.
// "Equal" is the automation runtime's rule: the value is coerced to the default's kind
// (number, currency, date, boolean, string) and compared there; a value that cannot be
// coerced is different. Strings compare exactly, objects by content (fonts by their
// attributes, pictures by their pixels; Nothing equals an empty picture). A value that
// is stored again keeps its place.
//
// Values are Variants of any kind but objects other than fonts and pictures (and
// Nothing); fonts and pictures are stored as copies and read back as new objects, as
// they would be from a file.
//
// Contents() is the whole bag as one byte array, and FromContents() rebuilds the same bag
// from it (nested collections store a bag inside one key this way). Damaged bytes are
// refused with an error. Reads and writes are logged in order for tests.
// Plain value type; no thread affinity.

#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/variant.h"
#include "platform/base/result.h"

namespace feriant::ui {

class PropertyBag {
 public:
  struct Entry {
    std::string key;
    automation::Variant value;
  };

  Result<automation::Variant> ReadProperty(
      std::string_view key,
      const automation::Variant& default_value = automation::Variant::Missing());
  Status WriteProperty(std::string_view key, const automation::Variant& value,
                       const automation::Variant& default_value = automation::Variant::Missing());

  bool Contains(std::string_view key) const;
  const std::vector<Entry>& Entries() const { return entries_; }
  std::vector<std::string> Keys() const;
  bool empty() const { return entries_.empty(); }
  size_t size() const { return entries_.size(); }

  // Every key read and every key written (stored or not), in call order.
  const std::vector<std::string>& ReadLog() const { return read_log_; }
  const std::vector<std::string>& WriteLog() const { return write_log_; }
  void ClearLogs();

  Result<automation::ByteArray> Contents() const;
  static Result<PropertyBag> FromContents(const automation::ByteArray& bytes);

  // Whether `value` counts as equal to `default_value` (see above).
  static bool EqualsDefault(const automation::Variant& value,
                            const automation::Variant& default_value);

 private:
  friend class FormStore;
  // Appends without the default rule (restoring a saved bag).
  Status Restore(std::string key, automation::Variant value);

  std::vector<Entry> entries_;
  std::vector<std::string> read_log_;
  std::vector<std::string> write_log_;
};

}  // namespace feriant::ui

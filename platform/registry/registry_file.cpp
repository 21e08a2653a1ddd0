// The registry file's text: FormatRegistryFile and ParseRegistryFile.

#include "platform/registry/registry.h"

#include <algorithm>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/base/text.h"

namespace feriant::registry {
namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

constexpr int kFormatVersion = 1;
// A registry file nests three deep (the document, "keys", a key's values).
constexpr size_t kMaxNesting = 16;

Error Damaged(const std::filesystem::path& file, std::string_view what) {
  return ErrorOf(ErrorKind::kDamaged, "the registry file " + file.string() + " is damaged: " +
                                          std::string(what) + "; it was left unchanged");
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// nlohmann's messages start with "[json.exception.parse_error.101] "; the rest is for people.
std::string ParseMessage(const Json::exception& error) {
  std::string text = error.what();
  if (const size_t end = text.find("] "); end != std::string::npos) text.erase(0, end + 2);
  return text;
}

struct NameLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return CompareNames(a, b) < 0;
  }
};

Result<RegistryValue> ValueOf(const Json& json) {
  if (json.is_string()) return RegistryValue(json.get<std::string>());
  if (json.is_number_unsigned()) {
    if (json.get<std::uint64_t>() <= std::numeric_limits<std::int32_t>::max())
      return RegistryValue(static_cast<std::int32_t>(json.get<std::uint64_t>()));
  } else if (json.is_number_integer()) {
    const std::int64_t number = json.get<std::int64_t>();
    if (number >= std::numeric_limits<std::int32_t>::min() &&
        number <= std::numeric_limits<std::int32_t>::max()) {
      return RegistryValue(static_cast<std::int32_t>(number));
    }
  }
  return ErrorOf(ErrorKind::kDamaged, json.dump());
}

// Appends a member to a JSON object whose names are known to be distinct. The object's
// own insertion looks for the name first, one by one, which for many keys would take
// time in the square of their number.
void AppendMember(OrderedJson& object, std::string name, OrderedJson value) {
  using Members = OrderedJson::object_t::Container;
  static_cast<Members&>(object.get_ref<OrderedJson::object_t&>())
      .emplace_back(std::move(name), std::move(value));
}

// The first name given twice in one object. JSON itself allows that and the parser keeps
// one of the values; here that would silently drop a value, so it is refused. (The
// parser's own callback would do, but it walks the whole enclosing object each time an
// object ends, which takes time in the square of the number of keys.)
class DuplicateNames : public nlohmann::json_sax<Json> {
 public:
  const std::string& first() const { return first_; }

  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override {
    open_.emplace_back();
    return true;
  }
  bool key(string_t& name) override {
    if (!open_.back().insert(name).second && first_.empty()) first_ = name;
    return true;
  }
  bool end_object() override {
    open_.pop_back();
    return true;
  }
  bool start_array(std::size_t) override { return true; }
  bool end_array() override { return true; }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  std::vector<std::set<std::string>> open_;
  std::string first_;
};

}  // namespace

std::string FormatRegistryFile(const Hive& hive) {
  OrderedJson keys = OrderedJson::object();
  hive.ForEachKey(
      [&](std::string_view path, const std::vector<NamedValue>& values, bool has_subkeys) {
        if (values.empty() && (has_subkeys || path.empty())) return;
        OrderedJson object = OrderedJson::object();
        for (const NamedValue& value : values) {
          if (const auto* text = std::get_if<std::string>(&value.value)) {
            AppendMember(object, value.name, *text);
          } else {
            AppendMember(object, value.name, std::get<std::int32_t>(value.value));
          }
        }
        AppendMember(keys, std::string(path), std::move(object));
      });
  OrderedJson document = OrderedJson::object();
  document["version"] = kFormatVersion;
  document["keys"] = std::move(keys);
  return document.dump(2) + "\n";
}

Result<Hive> ParseRegistryFile(std::string_view text, const std::filesystem::path& file) {
  if (base::Trim(text, base::kWhitespace).empty()) return Hive();

  if (base::JsonNestsDeeperThan(text, kMaxNesting)) {
    return Damaged(file, "it nests values more than " + std::to_string(kMaxNesting) + " deep");
  }
  Json document;
  try {
    document = Json::parse(text.begin(), text.end());
  } catch (const Json::exception& error) {
    // Not only syntax: a number beyond a double ("1e400") is an error of its own kind.
    return Damaged(file, "it is not JSON (" + ParseMessage(error) + ")");
  }
  DuplicateNames duplicates;
  Json::sax_parse(text.begin(), text.end(), &duplicates);
  if (!duplicates.first().empty())
    return Damaged(file, "the name " + Quoted(duplicates.first()) + " occurs twice");
  if (!document.is_object()) return Damaged(file, "it is not a JSON object");
  for (const auto& [member, unused] : document.items()) {
    if (member != "version" && member != "keys")
      return Damaged(file, "unknown member " + Quoted(member));
  }
  const auto version = document.find("version");
  if (version == document.end()) return Damaged(file, "it has no \"version\"");
  if (!version->is_number_integer() || version->get<std::int64_t>() != kFormatVersion)
    return Damaged(file, "version " + version->dump() + " is not 1");
  const auto keys = document.find("keys");
  if (keys == document.end()) return Damaged(file, "it has no \"keys\"");
  if (!keys->is_object()) return Damaged(file, "\"keys\" is not an object");

  // Keys and values go into the hive in its own order, so that each lands after those
  // before it: loading then takes time in proportion to the number of keys and values
  // (times their logarithm), whatever order the file lists them in.
  struct ListedKey {
    const std::string* path;
    std::vector<std::string_view> names;
    const Json* values;
  };
  std::vector<ListedKey> listed_keys;
  listed_keys.reserve(keys->size());
  std::set<std::string, NameLess> listed;
  for (auto it = keys->begin(); it != keys->end(); ++it) {
    const std::string& path = it.key();
    auto names = SplitKeyPath(path);
    if (!names) {
      if (names.error().kind == ErrorKind::kUnsupported)
        return Damaged(file, names.error().description);
      return Damaged(file, "invalid key path " + Quoted(path));
    }
    std::string normal;
    for (std::string_view name : *names) {
      if (!normal.empty()) normal += '\\';
      normal += name;
    }
    if (!listed.insert(normal).second)
      return Damaged(file, "the key " + Quoted(path) + " is listed twice");
    if (!it.value().is_object())
      return Damaged(file, "the key " + Quoted(path) + " does not map to an object of values");
    listed_keys.push_back(ListedKey{&path, std::move(*names), &it.value()});
  }
  std::sort(listed_keys.begin(), listed_keys.end(), [](const ListedKey& a, const ListedKey& b) {
    return std::lexicographical_compare(
        a.names.begin(), a.names.end(), b.names.begin(), b.names.end(),
        [](std::string_view x, std::string_view y) { return CompareNames(x, y) < 0; });
  });

  Hive hive;
  std::vector<NamedValue> values;
  for (const ListedKey& key : listed_keys) {
    const std::string& path = *key.path;
    if (Status created = hive.CreateKey(path); !created)
      return Damaged(file, created.error().description);
    values.clear();
    for (auto it = key.values->begin(); it != key.values->end(); ++it) {
      auto value = ValueOf(it.value());
      if (!value) {
        return Damaged(file, "the value " + Quoted(it.key()) + " of key " + Quoted(path) + " is " +
                                 value.error().description +
                                 ", neither text nor a 32-bit whole number");
      }
      values.push_back(NamedValue{it.key(), std::move(*value)});
    }
    std::sort(values.begin(), values.end(), [](const NamedValue& a, const NamedValue& b) {
      return CompareNames(a.name, b.name) < 0;
    });
    for (size_t i = 0; i < values.size(); ++i) {
      if (i > 0 && NamesEqual(values[i - 1].name, values[i].name)) {
        return Damaged(file, "the value " + Quoted(values[i].name) + " of key " + Quoted(path) +
                                 " is listed twice");
      }
      if (Status written = hive.WriteValue(path, values[i].name, std::move(values[i].value));
          !written) {
        return Damaged(file, written.error().description);
      }
    }
  }
  return hive;
}

}  // namespace feriant::registry

#include "apps/host-shell/add_in_manager.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "platform/base/text.h"

namespace feriant::host_shell {
namespace {

using automation::Members;
using automation::Variant;

// The COMAddIn object a host hands to OnConnection: the add-in reads its program id from
// it to build the actions of its command-bar controls.
class ComAddIn : public automation::DispatchObject<ComAddIn> {
 public:
  ComAddIn(RegisteredAddIn entry, AddInManager& manager)
      : entry_(std::move(entry)), manager_(manager) {}
  std::string TypeName() const override { return "COMAddIn"; }
  static const Members<ComAddIn>& Interface() {
    static const Members<ComAddIn> members = [] {
      Members<ComAddIn> m;
      m.Get("Description", 0, [](ComAddIn& self, std::span<Variant>) -> Result<Variant> {
        return Variant(self.entry_.description);
      });
      m.Get("ProgId", 3, [](ComAddIn& self, std::span<Variant>) -> Result<Variant> {
        return Variant(self.entry_.prog_id);
      });
      m.Get("Connect", 6, [](ComAddIn& self, std::span<Variant>) -> Result<Variant> {
        return Variant(self.manager_.IsConnected(self.entry_.prog_id));
      });
      m.Get("Object", 7, [](ComAddIn& self, std::span<Variant>) -> Result<Variant> {
        return Variant(self.manager_.Object(self.entry_.prog_id));
      });
      return m;
    }();
    return members;
  }

 private:
  RegisteredAddIn entry_;
  AddInManager& manager_;
};

std::string TextValue(const std::optional<registry::RegistryValue>& value) {
  if (!value) return {};
  if (const auto* text = std::get_if<std::string>(&*value)) return *text;
  return std::to_string(std::get<std::int32_t>(*value));
}

std::int32_t NumberValue(const std::optional<registry::RegistryValue>& value) {
  if (!value) return 0;
  if (const auto* number = std::get_if<std::int32_t>(&*value)) return *number;
  // A text value, as a person may have typed it into the file: blanks around it are
  // theirs; anything else in it (" 3x") makes it no number, read as 0.
  return static_cast<std::int32_t>(
      base::ParseWholeNumber(std::get<std::string>(*value),
                             {.blanks_around = true,
                              .min = std::numeric_limits<std::int32_t>::min(),
                              .max = std::numeric_limits<std::int32_t>::max()})
          .value_or(0));
}

Error Named(std::string_view prog_id, const Error& cause) {
  Error error = cause;
  error.description = "the add-in " + std::string(prog_id) + ": " + cause.description;
  return error;
}

}  // namespace

AddInManager::AddInManager(registry::Registry registry, std::string host_key,
                           automation::ObjectRef application, AddInFactory factory)
    : registry_(std::move(registry)),
      host_key_(std::move(host_key)),
      application_(std::move(application)),
      factory_(std::move(factory)) {}

AddInManager::~AddInManager() {
  Shutdown();
}

std::string AddInManager::AddInKey(std::string_view prog_id) const {
  return host_key_ + "\\Addins\\" + std::string(prog_id);
}

Result<std::vector<RegisteredAddIn>> AddInManager::List() const {
  Result<registry::Hive> hive = registry_.Read();
  if (!hive) return hive.error();
  std::vector<RegisteredAddIn> add_ins;
  // No key: no add-in was ever registered for this host.
  Result<std::vector<std::string>> names = hive->SubKeyNames(host_key_ + "\\Addins");
  if (!names) return add_ins;
  for (const std::string& prog_id : *names) {
    const std::string key = AddInKey(prog_id);
    RegisteredAddIn entry;
    entry.prog_id = prog_id;
    entry.friendly_name = TextValue(hive->ReadValue(key, "FriendlyName"));
    if (entry.friendly_name.empty()) entry.friendly_name = prog_id;
    entry.description = TextValue(hive->ReadValue(key, "Description"));
    entry.load_behavior = NumberValue(hive->ReadValue(key, "LoadBehavior"));
    entry.connected = IsConnected(prog_id);
    add_ins.push_back(std::move(entry));
  }
  return add_ins;
}

std::vector<Error> AddInManager::ConnectAtStartup() {
  std::vector<Error> failures;
  Result<std::vector<RegisteredAddIn>> add_ins = List();
  if (!add_ins) return {add_ins.error()};
  for (const RegisteredAddIn& entry : *add_ins) {
    if (entry.load_behavior != kLoadAtStartup) continue;
    if (Status connected = Connect(entry.prog_id, ConnectMode::kStartup); !connected)
      failures.push_back(connected.error());
  }
  return failures;
}

Status AddInManager::Connect(std::string_view prog_id, ConnectMode mode) {
  if (IsConnected(prog_id)) return Ok();
  Result<std::vector<RegisteredAddIn>> add_ins = List();
  if (!add_ins) return add_ins.error();
  const auto entry = std::find_if(add_ins->begin(), add_ins->end(),
                                  [&](const RegisteredAddIn& e) { return e.prog_id == prog_id; });
  if (entry == add_ins->end()) {
    return ErrorOf(ErrorKind::kNotFound,
                   "the add-in " + std::string(prog_id) + " is not registered for this program");
  }
  Result<std::shared_ptr<automation::Dispatch>> object = factory_(prog_id);
  if (!object) return Named(prog_id, object.error());
  auto instance = std::make_shared<ComAddIn>(*entry, *this);
  // Listed before the call: the add-in may ask its COMAddIn whether it is connected.
  connections_.push_back(Connection{std::string(prog_id), *object, instance});
  Result<Variant> connected = (*object)->Call(
      "OnConnection",
      {Variant(application_), Variant(static_cast<std::int32_t>(mode)),
       Variant(automation::ObjectRef(instance)), Variant(automation::VariantArray{})});
  if (!connected) {
    connections_.pop_back();
    return Named(prog_id, connected.error());
  }
  if (mode == ConnectMode::kStartup)
    (void)(*object)->Call("OnStartupComplete", {Variant(automation::VariantArray{})});
  return Ok();
}

Status AddInManager::Disconnect(std::string_view prog_id, RemoveMode mode) {
  const auto found = std::find_if(connections_.begin(), connections_.end(),
                                  [&](const Connection& c) { return c.prog_id == prog_id; });
  if (found == connections_.end()) return Ok();
  const Connection connection = *found;
  connections_.erase(found);
  Result<Variant> done = connection.object->Call(
      "OnDisconnection",
      {Variant(static_cast<std::int32_t>(mode)), Variant(automation::VariantArray{})});
  if (!done) return Named(prog_id, done.error());
  return Ok();
}

Status AddInManager::SetLoaded(std::string_view prog_id, bool loaded) {
  Status changed = loaded ? Connect(prog_id, ConnectMode::kAfterStartup)
                          : Disconnect(prog_id, RemoveMode::kUserClosed);
  // An add-in that failed to connect is not stored as loaded; one whose disconnection
  // failed is gone all the same and is stored as not loaded.
  if (!changed && loaded) return changed;
  if (Status stored = registry_.WriteValue(AddInKey(prog_id), "LoadBehavior",
                                           loaded ? kLoadAtStartup : kNotLoaded);
      !stored)
    return stored;
  return changed;
}

void AddInManager::Shutdown() {
  for (const Connection& connection : connections_)
    (void)connection.object->Call("OnBeginShutdown", {Variant(automation::VariantArray{})});
  while (!connections_.empty()) {
    (void)Disconnect(std::string(connections_.front().prog_id), RemoveMode::kHostShutdown);
  }
}

bool AddInManager::IsConnected(std::string_view prog_id) const {
  return Object(prog_id) != nullptr;
}

std::vector<std::string> AddInManager::Connected() const {
  std::vector<std::string> ids;
  for (const Connection& connection : connections_)
    ids.push_back(connection.prog_id);
  return ids;
}

automation::ObjectRef AddInManager::Object(std::string_view prog_id) const {
  for (const Connection& connection : connections_) {
    if (connection.prog_id == prog_id) return connection.object;
  }
  return nullptr;
}

}  // namespace feriant::host_shell

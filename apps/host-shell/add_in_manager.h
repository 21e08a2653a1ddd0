#pragma once
// AddInManager: the add-ins of one host program, as the host's add-in registration lists
// them in the current user's registry, and their connections.
//
// The add-ins of a host are the subkeys of "<host key>\Addins", each named by the add-in's
// program id and holding "FriendlyName", "Description" and "LoadBehavior". Load behaviour
// 3 loads the add-in when the host starts; 2 keeps it registered but not loaded (what the
// user's unticking in the Add-ins dialog stores). Connecting creates the add-in by program
// id (through the component registry in the shells) and calls its OnConnection with the
// host's application object; disconnecting calls OnDisconnection with the remove mode
// (0 the host shuts down, 1 the user unloaded it) and lets go of the object.
//
// The manager owns the connected add-in objects; it never includes a Qt header, so the
// rules run headless. One thread, the user-interface thread.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/base/result.h"
#include "platform/registry/registry.h"

namespace feriant::host_shell {

// How an add-in comes to be connected (the ConnectMode of OnConnection).
enum class ConnectMode : std::int32_t { kAfterStartup = 0, kStartup = 1 };
// Why an add-in is disconnected (the RemoveMode of OnDisconnection).
enum class RemoveMode : std::int32_t { kHostShutdown = 0, kUserClosed = 1 };

inline constexpr std::int32_t kLoadAtStartup = 3;
inline constexpr std::int32_t kNotLoaded = 2;

struct RegisteredAddIn {
  std::string prog_id;
  std::string friendly_name;  // the program id when the key has none
  std::string description;
  std::int32_t load_behavior = 0;
  bool connected = false;
};

// Creates an add-in object by program id.
using AddInFactory =
    std::function<Result<std::shared_ptr<automation::Dispatch>>(std::string_view prog_id)>;

class AddInManager {
 public:
  // `host_key`: the host's key below the user's hive, such as
  // "Software\Microsoft\Office\Outlook".
  AddInManager(registry::Registry registry, std::string host_key, automation::ObjectRef application,
               AddInFactory factory);
  ~AddInManager();
  AddInManager(const AddInManager&) = delete;
  AddInManager& operator=(const AddInManager&) = delete;

  // The registered add-ins in the order of their keys, each marked connected or not.
  Result<std::vector<RegisteredAddIn>> List() const;

  // Connects every add-in registered with load behaviour 3. Each failure is one Error,
  // naming the add-in; the others are connected all the same.
  std::vector<Error> ConnectAtStartup();

  // OnConnection; nothing happens when it is connected already.
  Status Connect(std::string_view prog_id, ConnectMode mode);
  // OnDisconnection; the add-in is let go of even when that call fails.
  Status Disconnect(std::string_view prog_id, RemoveMode mode);
  // The user's tick in the Add-ins dialog: connects and stores load behaviour 3, or
  // disconnects (remove mode 1) and stores 2.
  Status SetLoaded(std::string_view prog_id, bool loaded);
  // The host closes: OnBeginShutdown to every connected add-in, then OnDisconnection
  // with remove mode 0 to each, in the order they were connected.
  void Shutdown();

  bool IsConnected(std::string_view prog_id) const;
  // Program ids of the connected add-ins in the order they were connected.
  std::vector<std::string> Connected() const;
  // The connected add-in object, or nullptr.
  automation::ObjectRef Object(std::string_view prog_id) const;

 private:
  std::string AddInKey(std::string_view prog_id) const;

  registry::Registry registry_;
  std::string host_key_;
  automation::ObjectRef application_;
  AddInFactory factory_;
  struct Connection {
    std::string prog_id;
    automation::ObjectRef object;
    automation::ObjectRef instance;  // the COMAddIn object handed to OnConnection
  };
  std::vector<Connection> connections_;
};

}  // namespace feriant::host_shell

// The add-ins of a host: which are connected at start, what their OnConnection and
// OnDisconnection get, and what the Add-ins dialog's ticks store.

#include "apps/host-shell/add_in_manager.h"

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/scratch_dir.h"

namespace feriant::host_shell {
namespace {

using automation::Members;
using automation::Variant;
using ::testing::ElementsAre;

constexpr const char* kHost = "Software\\Microsoft\\Office\\Outlook";

// Records each call of the add-in interface as "<prog id> <member> <argument>".
class RecordingAddIn : public automation::DispatchObject<RecordingAddIn> {
 public:
  RecordingAddIn(std::string prog_id, std::vector<std::string>& log)
      : prog_id_(std::move(prog_id)), log_(log) {}
  std::string TypeName() const override { return "Connect"; }
  static const Members<RecordingAddIn>& Interface() {
    static const Members<RecordingAddIn> members = [] {
      Members<RecordingAddIn> m;
      m.Method("OnConnection", 1,
               [](RecordingAddIn& self, std::span<Variant> args, auto) -> Result<Variant> {
                 const automation::ObjectRef instance = args[2].AsObject();
                 auto prog_id = instance->Get("ProgID");
                 self.application = args[0].AsObject();
                 self.log_.push_back(self.prog_id_ + " OnConnection " +
                                     std::to_string(*args[1].ToI4()) + " " +
                                     (prog_id ? *prog_id->ToString() : "?"));
                 return Variant();
               });
      m.Method("OnDisconnection", 2,
               [](RecordingAddIn& self, std::span<Variant> args, auto) -> Result<Variant> {
                 self.log_.push_back(self.prog_id_ + " OnDisconnection " +
                                     std::to_string(*args[0].ToI4()));
                 return Variant();
               });
      for (auto [name, id] : {std::pair{"OnAddInsUpdate", 3}, std::pair{"OnStartupComplete", 4},
                              std::pair{"OnBeginShutdown", 5}}) {
        m.Method(name, id,
                 [name](RecordingAddIn& self, std::span<Variant>, auto) -> Result<Variant> {
                   self.log_.push_back(self.prog_id_ + " " + name);
                   return Variant();
                 });
      }
      return m;
    }();
    return members;
  }
  automation::ObjectRef application;

 private:
  std::string prog_id_;
  std::vector<std::string>& log_;
};

class AddInManagerTest : public ::testing::Test {
 protected:
  AddInManagerTest() : registry_(dir_.path() / "registry.json") {
    for (auto [prog_id, behavior] :
         {std::pair{"Feriant.ConnectOutlook", 3}, std::pair{"Other.Sleeping", 2},
          std::pair{"Broken.AddIn", 3}}) {
      const std::string key = std::string(kHost) + "\\Addins\\" + prog_id;
      EXPECT_TRUE(registry_.WriteValue(key, "LoadBehavior", behavior));
      EXPECT_TRUE(registry_.WriteValue(key, "FriendlyName", std::string(prog_id).substr(0, 6)));
    }
  }
  AddInManager Manager() {
    return AddInManager(
        registry_, kHost, application_,
        [this](std::string_view prog_id) -> Result<std::shared_ptr<automation::Dispatch>> {
          if (prog_id == "Broken.AddIn")
            return ErrorOf(ErrorKind::kNotFound, "class Broken.AddIn is not registered");
          auto add_in = std::make_shared<RecordingAddIn>(std::string(prog_id), log_);
          created_.push_back(add_in);
          return std::shared_ptr<automation::Dispatch>(add_in);
        });
  }
  std::int32_t StoredBehavior(const std::string& prog_id) {
    auto value = registry_.ReadValue(std::string(kHost) + "\\Addins\\" + prog_id, "LoadBehavior");
    return value && *value ? std::get<std::int32_t>(**value) : -1;
  }

  testing::ScratchDir dir_;
  registry::Registry registry_;
  automation::ObjectRef application_ = std::make_shared<RecordingAddIn>("host", log_);
  std::vector<std::string> log_;
  std::vector<std::shared_ptr<RecordingAddIn>> created_;
};

TEST_F(AddInManagerTest, ConnectsTheStartupAddInsAndReportsTheOneThatFails) {
  AddInManager manager = Manager();
  const std::vector<Error> failures = manager.ConnectAtStartup();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_THAT(failures[0].description, ::testing::HasSubstr("Broken.AddIn"));
  EXPECT_THAT(manager.Connected(), ElementsAre("Feriant.ConnectOutlook"));
  EXPECT_THAT(log_, ElementsAre("Feriant.ConnectOutlook OnConnection 1 Feriant.ConnectOutlook",
                                "Feriant.ConnectOutlook OnStartupComplete"));
  EXPECT_EQ(created_[0]->application, application_);
  auto listed = manager.List();
  ASSERT_TRUE(listed);
  // In the registry's order: names ignoring case.
  ASSERT_EQ(listed->size(), 3u);
  EXPECT_EQ((*listed)[1].prog_id, "Feriant.ConnectOutlook");
  EXPECT_EQ((*listed)[1].friendly_name, "Ferian");
  EXPECT_TRUE((*listed)[1].connected);
  EXPECT_EQ((*listed)[2].load_behavior, 2);
  EXPECT_FALSE((*listed)[2].connected);
}

TEST_F(AddInManagerTest, TicksConnectAndStore3UnticksDisconnectWithMode1AndStore2) {
  AddInManager manager = Manager();
  (void)manager.ConnectAtStartup();
  log_.clear();
  ASSERT_TRUE(manager.SetLoaded("Feriant.ConnectOutlook", false));
  ASSERT_TRUE(manager.SetLoaded("Other.Sleeping", true));
  EXPECT_FALSE(manager.SetLoaded("Broken.AddIn", true));
  EXPECT_THAT(log_, ElementsAre("Feriant.ConnectOutlook OnDisconnection 1",
                                "Other.Sleeping OnConnection 0 Other.Sleeping"));
  EXPECT_EQ(StoredBehavior("Feriant.ConnectOutlook"), 2);
  EXPECT_EQ(StoredBehavior("Other.Sleeping"), 3);
  EXPECT_EQ(StoredBehavior("Broken.AddIn"), 3);  // not stored as unloaded by a failed tick
  EXPECT_THAT(manager.Connected(), ElementsAre("Other.Sleeping"));
}

TEST_F(AddInManagerTest, ShutdownTellsEveryAddInBeforeDisconnectingWithMode0) {
  {
    AddInManager manager = Manager();
    (void)manager.ConnectAtStartup();
    ASSERT_TRUE(manager.SetLoaded("Other.Sleeping", true));
    log_.clear();
    manager.Shutdown();
    EXPECT_TRUE(manager.Connected().empty());
  }  // and nothing more when the manager goes
  EXPECT_THAT(
      log_,
      ElementsAre("Feriant.ConnectOutlook OnBeginShutdown", "Other.Sleeping OnBeginShutdown",
                  "Feriant.ConnectOutlook OnDisconnection 0", "Other.Sleeping OnDisconnection 0"));
  EXPECT_EQ(StoredBehavior("Feriant.ConnectOutlook"), 3);
}

TEST_F(AddInManagerTest, AHostWithoutAddInKeysHasNoAddIns) {
  AddInManager manager(registry_, "Software\\Microsoft\\Office\\MS Project", application_,
                       [](std::string_view) -> Result<std::shared_ptr<automation::Dispatch>> {
                         return ErrorOf(ErrorKind::kNotFound, "never asked");
                       });
  EXPECT_TRUE(manager.ConnectAtStartup().empty());
  auto listed = manager.List();
  ASSERT_TRUE(listed);
  EXPECT_TRUE(listed->empty());
}

}  // namespace
}  // namespace feriant::host_shell

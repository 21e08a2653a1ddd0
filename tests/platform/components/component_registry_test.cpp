#include "platform/components/component_registry.h"

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/automation/events.h"
#include "platform/base/file.h"
#include "platform/components/registration.h"
#include "platform/registry/registry.h"
#include "tests/platform/components/test_component.h"
#include "tests/support/scratch_dir.h"

namespace feriant::components {
namespace {

using automation::Guid;
using automation::Variant;
using ::testing::HasSubstr;
namespace tc = test_component;

const std::filesystem::path kLibrary = FERIANT_TEST_COMPONENT;

// Loads as the system does and counts how often it was asked to.
class CountingLoader final : public LibraryLoader {
 public:
  explicit CountingLoader(int* loads) : loads_(loads) {}
  Result<std::unique_ptr<ComponentLibrary>> Load(const std::filesystem::path& file) override {
    ++*loads_;
    return ComponentLibrary::Load(file);
  }

 private:
  int* loads_;
};

class ComponentRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto library = ComponentLibrary::Load(kLibrary);
    ASSERT_TRUE(library.ok()) << library.error().description;
    ASSERT_EQ((*library)->RegisterServer(), kSOk);
  }

  testing::ScratchDir dir_;
  std::filesystem::path file_ = dir_.path() / "registry.json";
  testing::ScopedEnv env_{"FERIANT_REGISTRY", file_.string()};
  registry::Registry registry_{file_};
  int loads_ = 0;
  ComponentRegistry components_{std::make_unique<CountingLoader>(&loads_)};
};

TEST_F(ComponentRegistryTest, CreatesWorkingObjectsByClassIdAndProgramId) {
  auto by_id = components_.CreateObject(tc::kCounterClass);
  auto by_name = components_.CreateObject("feriantTEST.counter");
  ASSERT_TRUE(by_id.ok()) << by_id.error().description;
  ASSERT_TRUE(by_name.ok()) << by_name.error().description;
  EXPECT_NE(*by_id, *by_name);

  automation::Dispatch& counter = **by_name;
  EXPECT_EQ(counter.TypeName(), "Counter");
  EXPECT_EQ(*counter.Get("value"), Variant(std::int32_t{0}));
  ASSERT_TRUE(counter.Put("VALUE", Variant("5")).ok());
  EXPECT_EQ(*counter.Call("Increment"), Variant(std::int32_t{6}));
  EXPECT_EQ(*counter.Call(tc::kIncrement, {}, {{"step", Variant(std::int16_t{10})}}),
            Variant(std::int32_t{16}));
  EXPECT_EQ(*counter.Get(tc::kValue), Variant(std::int32_t{16}));
  // The other object is another counter.
  EXPECT_EQ(*(*by_id)->Get(tc::kValue), Variant(std::int32_t{0}));

  auto failed = counter.Call("Fail");
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(static_cast<std::uint32_t>(failed.error().code), 0x80040005u);
  EXPECT_EQ(failed.error().description, "the counter failed on purpose");
  EXPECT_EQ(failed.error().source, "FeriantTest.Counter");

  auto add_in = components_.CreateObject(tc::kAddInProgId);
  ASSERT_TRUE(add_in.ok());
  EXPECT_EQ(*(*add_in)->Get(automation::kDispIdValue), Variant("AddIn"));
}

TEST_F(ComponentRegistryTest, EventsReachSinksAndComeBackByReference) {
  auto object = components_.CreateObject(tc::kCounterClass);
  ASSERT_TRUE(object.ok());
  auto* container = dynamic_cast<automation::ConnectionPointContainer*>(object->get());
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(container->FindConnectionPoint(Guid::Generate()), nullptr);
  automation::EventSource* source = container->FindConnectionPoint(tc::kCounterEvents);
  ASSERT_NE(source, nullptr);

  std::vector<std::string> seen;
  bool veto = false;
  auto sink = std::make_shared<automation::EventSink>();
  sink->On("Changing", tc::kChanging,
           [&](std::span<Variant> args) {
             seen.push_back("Changing " + *args[0].ToString());
             args[1] = Variant(veto);
           })
      .On("Changed", tc::kChanged,
          [&](std::span<Variant> args) { seen.push_back("Changed " + *args[0].ToString()); });
  source->Advise(sink);

  EXPECT_EQ(*(*object)->Call("Increment"), Variant(std::int32_t{1}));
  veto = true;
  EXPECT_EQ(*(*object)->Call("Increment", {Variant(std::int32_t{5})}), Variant(std::int32_t{1}));
  EXPECT_THAT(seen, ::testing::ElementsAre("Changing 1", "Changed 1", "Changing 6"));
}

TEST_F(ComponentRegistryTest, LoadsEachLibraryOnce) {
  auto first = components_.CreateObject(tc::kCounterClass);
  auto second = components_.CreateObject(tc::kCounterProgId);
  auto add_in = components_.CreateObject(tc::kAddInClass);
  ASSERT_TRUE(first.ok() && second.ok() && add_in.ok());
  EXPECT_EQ(loads_, 1);
  EXPECT_THAT(components_.LoadedLibraries(), ::testing::ElementsAre(kLibrary));
  // Both counters come from the one copy of the library: its count goes on.
  EXPECT_EQ(*(*second)->Get("Serial")->ToI4(), *(*first)->Get("Serial")->ToI4() + 1);
}

TEST_F(ComponentRegistryTest, FailuresNameTheClassAndTheLibrary) {
  const Guid unknown = Guid::Generate();
  const Guid missing_file = Guid::Generate();
  const Guid relative = Guid::Generate();
  const Guid not_component = Guid::Generate();
  const Guid number_path = Guid::Generate();
  const std::string gone = (dir_.path() / "gone.so").string();
  ASSERT_TRUE(registry_.WriteValue(ClassKey(missing_file) + "\\InprocServer32", "", gone).ok());
  ASSERT_TRUE(registry_.WriteValue(ClassKey(relative) + "\\InprocServer32", "", "lib.so").ok());
  ASSERT_TRUE(registry_
                  .WriteValue(ClassKey(not_component) + "\\InprocServer32", "",
                              std::string(FERIANT_PLAIN_LIBRARY))
                  .ok());
  ASSERT_TRUE(registry_.WriteValue(ClassKey(number_path) + "\\InprocServer32", "", 7).ok());
  ASSERT_TRUE(registry_.WriteValue("Software\\Classes\\Bad.Id\\CLSID", "", "not-a-guid").ok());
  ASSERT_TRUE(
      registry_.WriteValue("Software\\Classes\\Lost.Class\\CLSID", "", unknown.ToString()).ok());

  struct Case {
    const char* name;
    std::variant<Guid, std::string> what;
    std::int32_t code;
    std::vector<std::string> mentions;
  };
  const Case cases[] = {
      {"unknown class id", unknown, automation::hresult::kClassNotRegistered, {unknown.ToString()}},
      {"unknown program id",
       std::string("Nobody.Here"),
       automation::hresult::kClassNotRegistered,
       {"Nobody.Here"}},
      {"program id of an unknown class",
       std::string("Lost.Class"),
       automation::hresult::kClassNotRegistered,
       {unknown.ToString()}},
      {"program id naming a path",
       std::string("Software\\Classes"),
       automation::hresult::kClassNotRegistered,
       {"Software\\Classes"}},
      {"empty program id", std::string(), automation::hresult::kClassNotRegistered, {}},
      {"class id that is not one",
       std::string("Bad.Id"),
       automation::hresult::kClassNotRegistered,
       {"Bad.Id", "not-a-guid"}},
      {"library file gone",
       missing_file,
       hresult::kModuleNotFound,
       {missing_file.ToString(), gone}},
      {"library path relative", relative, hresult::kModuleNotFound, {"lib.so", "not absolute"}},
      {"not a component library", not_component, hresult::kProcNotFound, {FERIANT_PLAIN_LIBRARY}},
      {"library path not text",
       number_path,
       automation::hresult::kClassNotRegistered,
       {number_path.ToString()}},
      {"factory fails",
       tc::kBrokenClass,
       automation::hresult::kFail,
       {tc::kBrokenClass.ToString(), "the broken class breaks"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto object = std::holds_alternative<Guid>(c.what)
                      ? components_.CreateObject(std::get<Guid>(c.what))
                      : components_.CreateObject(std::string_view(std::get<std::string>(c.what)));
    ASSERT_FALSE(object.ok());
    EXPECT_EQ(object.error().code, c.code) << object.error().description;
    for (const std::string& text : c.mentions)
      EXPECT_THAT(object.error().description, HasSubstr(text));
  }
}

TEST_F(ComponentRegistryTest, UnregisteredClassesAreNotCreated) {
  auto library = ComponentLibrary::Load(kLibrary);
  ASSERT_TRUE(library.ok());
  ASSERT_EQ((*library)->UnregisterServer(), kSOk);
  for (auto object : {components_.CreateObject(tc::kCounterClass),
                      components_.CreateObject(tc::kCounterProgId)}) {
    ASSERT_FALSE(object.ok());
    EXPECT_EQ(object.error().code, automation::hresult::kClassNotRegistered);
  }
}

TEST_F(ComponentRegistryTest, TheProcessRegistryCreatesFromTheCurrentUsersRegistry) {
  auto object = CreateObject(tc::kCounterProgId);
  ASSERT_TRUE(object.ok()) << object.error().description;
  EXPECT_EQ((*object)->TypeName(), "Counter");
  EXPECT_THAT(ProcessComponentRegistry().LoadedLibraries(), ::testing::Contains(kLibrary));

  // A damaged registry is reported as what it is.
  ASSERT_TRUE(base::WriteFileAtomically(file_, "[").ok());
  auto damaged = CreateObject(tc::kCounterClass);
  ASSERT_FALSE(damaged.ok());
  EXPECT_EQ(damaged.error().kind, ErrorKind::kDamaged);
}

}  // namespace
}  // namespace feriant::components

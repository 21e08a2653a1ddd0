#include "platform/components/component_server.h"

#include <memory>
#include <string>

#include <dlfcn.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/base/file.h"
#include "platform/components/component_library.h"
#include "platform/components/error_info.h"
#include "platform/components/registration.h"
#include "platform/registry/registry.h"
#include "tests/platform/components/test_component.h"
#include "tests/support/scratch_dir.h"

namespace feriant::components {
namespace {

using registry::Registry;
using registry::RegistryValue;
using ::testing::HasSubstr;
namespace tc = test_component;

const std::filesystem::path kLibrary = FERIANT_TEST_COMPONENT;

class ComponentServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto library = ComponentLibrary::Load(kLibrary);
    ASSERT_TRUE(library.ok()) << library.error().description;
    library_ = std::move(*library);
  }

  std::string Bytes() const {
    auto bytes = base::ReadFile(file_);
    return bytes.ok() ? *bytes : "(" + bytes.error().description + ")";
  }

  testing::ScratchDir dir_;
  std::filesystem::path file_ = dir_.path() / "registry.json";
  testing::ScopedEnv env_{"FERIANT_REGISTRY", file_.string()};
  Registry registry_{file_};
  std::unique_ptr<ComponentLibrary> library_;
};

TEST_F(ComponentServerTest, RegistersItsClassesWithItsOwnPath) {
  ASSERT_EQ(library_->RegisterServer(), kSOk);
  auto hive = registry_.Read();
  ASSERT_TRUE(hive.ok());
  const std::string counter = ClassKey(tc::kCounterClass);
  const std::string add_in = ClassKey(tc::kAddInClass);
  const std::string path = kLibrary.string();
  const std::string type_library =
      "Software\\Classes\\TypeLib\\" + tc::kLibraryId.ToString() + "\\4.10";
  struct Case {
    std::string key;
    const char* name;
    std::optional<RegistryValue> value;
  };
  const Case cases[] = {
      {counter, "", RegistryValue("Counter")},
      {counter + "\\InprocServer32", "", RegistryValue(path)},
      {counter + "\\ProgID", "", RegistryValue("FeriantTest.Counter")},
      {"Software\\Classes\\FeriantTest.Counter\\CLSID", "",
       RegistryValue(tc::kCounterClass.ToString())},
      {add_in + "\\InprocServer32", "", RegistryValue(path)},
      {"Software\\FeriantTest\\Host\\Addins\\FeriantTest.AddIn", "LoadBehavior", RegistryValue(3)},
      {"Software\\FeriantTest\\Host\\Addins\\FeriantTest.AddIn", "FriendlyName",
       RegistryValue("Feriant Test")},
      {type_library, "", RegistryValue("FeriantTest")},
      {type_library + "\\0\\linux64", "", RegistryValue(path)},
      {"Software\\Classes\\Interface\\" + tc::kCounterEvents.ToString(), "",
       RegistryValue("__Counter")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(hive->ReadValue(c.key, c.name), c.value) << c.key << " " << c.name;
  EXPECT_TRUE(hive->KeyExists(counter + "\\Control"));
  EXPECT_FALSE(hive->KeyExists(add_in + "\\Control"));

  // Registering again rewrites nothing.
  const std::string once = Bytes();
  ASSERT_EQ(library_->RegisterServer(), kSOk);
  EXPECT_EQ(Bytes(), once);
}

// Unregistering gives back the registry as it was: the same bytes when the file was ours,
// the same content when a person wrote it in another layout.
TEST_F(ComponentServerTest, UnregisteringGivesBackTheRegistryAsItWas) {
  registry::Hive other;
  ASSERT_TRUE(other.WriteValue("Software\\Quillmark\\Feriant\\2.0", "Region Index", 2).ok());
  ASSERT_TRUE(other.WriteValue("Software\\Classes\\Other.Class\\CLSID", "", "{x}").ok());
  struct Case {
    const char* name;
    std::optional<std::string> before;  // nothing: no file
    bool same_bytes;
  };
  const Case cases[] = {
      {"no file", std::nullopt, false},
      // A registry emptied again is no file; it reads the same as the empty one before.
      {"an empty registry", registry::FormatRegistryFile(registry::Hive()), false},
      {"other keys", registry::FormatRegistryFile(other), true},
      {"written by hand",
       "{\"version\":1,\"keys\":{\"Software\\\\Classes\\\\CLSID\\\\{1}\":{\"\":\"x\"}}}", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(file_);
    if (c.before) {
      ASSERT_TRUE(base::WriteFileAtomically(file_, *c.before).ok());
    }
    const auto before = registry_.Read();
    ASSERT_TRUE(before.ok());

    ASSERT_EQ(library_->RegisterServer(), kSOk);
    EXPECT_NE(*registry_.Read(), *before);
    ASSERT_EQ(library_->UnregisterServer(), kSOk);
    EXPECT_EQ(*registry_.Read(), *before);
    if (c.same_bytes) {
      EXPECT_EQ(Bytes(), *c.before);
    }
    if (!c.before) {
      EXPECT_FALSE(std::filesystem::exists(file_));  // as it was: no file at all
    }
  }
}

TEST_F(ComponentServerTest, AFailureToWriteTheRegistryIsReportedWithItsReason) {
  const std::string damaged = "{\"version\": 1, \"keys\": ";
  ASSERT_TRUE(base::WriteFileAtomically(file_, damaged).ok());
  for (auto entry_point :
       {&ComponentLibrary::RegisterServer, &ComponentLibrary::UnregisterServer}) {
    (void)TakeErrorInfo();
    EXPECT_EQ(((*library_).*entry_point)(), hresult::kSelfRegClass);
    const auto info = TakeErrorInfo();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->kind, ErrorKind::kDamaged);
    EXPECT_THAT(info->description, HasSubstr(file_.string()));
    EXPECT_FALSE(TakeErrorInfo().has_value());  // taken once
    EXPECT_EQ(Bytes(), damaged);
  }
}

TEST_F(ComponentServerTest, GetClassObjectChecksItsArguments) {
  // The raw entry point, as any loader calls it.
  std::unique_ptr<void, int (*)(void*)> handle(::dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_NOLOAD),
                                               &::dlclose);
  ASSERT_NE(handle, nullptr);
  auto* get_class_object =
      reinterpret_cast<DllGetClassObjectFunction*>(::dlsym(handle.get(), "DllGetClassObject"));
  ASSERT_NE(get_class_object, nullptr);

  const automation::Guid unknown = automation::Guid::Generate();
  const automation::Guid dispatch_iid =
      *automation::Guid::Parse("{00020400-0000-0000-C000-000000000046}");
  struct Case {
    const char* name;
    const automation::Guid* clsid;
    const automation::Guid* iid;
    bool with_out;
    std::int32_t status;
  };
  const Case cases[] = {
      {"counter", &tc::kCounterClass, &kIidClassFactory, true, kSOk},
      {"add-in", &tc::kAddInClass, &kIidClassFactory, true, kSOk},
      {"unknown class", &unknown, &kIidClassFactory, true, hresult::kClassNotAvailable},
      {"another interface", &tc::kCounterClass, &dispatch_iid, true,
       automation::hresult::kNoInterface},
      {"no class", nullptr, &kIidClassFactory, true, automation::hresult::kInvalidArg},
      {"no interface", &tc::kCounterClass, nullptr, true, automation::hresult::kInvalidArg},
      {"nowhere to put it", &tc::kCounterClass, &kIidClassFactory, false,
       automation::hresult::kInvalidArg},
  };
  for (const Case& c : cases) {
    void* factory = reinterpret_cast<void*>(&handle);  // must be overwritten
    EXPECT_EQ(get_class_object(c.clsid, c.iid, c.with_out ? &factory : nullptr), c.status)
        << c.name;
    if (c.with_out) {
      EXPECT_EQ(factory != nullptr, c.status == kSOk) << c.name;
    }
  }
}

TEST_F(ComponentServerTest, CanUnloadNowFollowsTheLiveObjects) {
  auto factory = library_->GetClassObject(tc::kCounterClass);
  ASSERT_TRUE(factory.ok()) << factory.error().description;
  ASSERT_EQ(library_->CanUnloadNow(), kSOk);

  auto first = (*factory)->CreateInstance();
  auto second = (*factory)->CreateInstance();
  ASSERT_TRUE(first.ok() && second.ok());
  EXPECT_EQ(library_->CanUnloadNow(), kSFalse);
  // Another holder of the same object keeps it alive.
  std::shared_ptr<automation::Dispatch> kept = (*first)->shared_from_this();
  first->reset();
  EXPECT_EQ(library_->CanUnloadNow(), kSFalse);
  kept.reset();
  EXPECT_EQ(library_->CanUnloadNow(), kSFalse);
  second->reset();
  EXPECT_EQ(library_->CanUnloadNow(), kSOk);

  // A factory that fails creates nothing to wait for.
  auto broken = library_->GetClassObject(tc::kBrokenClass);
  ASSERT_TRUE(broken.ok());
  auto nothing = (*broken)->CreateInstance();
  ASSERT_FALSE(nothing.ok());
  EXPECT_EQ(nothing.error().code, automation::hresult::kFail);
  EXPECT_EQ(library_->CanUnloadNow(), kSOk);
}

}  // namespace
}  // namespace feriant::components

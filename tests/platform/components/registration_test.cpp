#include "platform/components/registration.h"

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/base/file.h"
#include "platform/registry/hive.h"
#include "tests/support/scratch_dir.h"

namespace feriant::components {
namespace {

using automation::Guid;
using registry::Hive;
using registry::RegistryValue;

const Guid kLibrary = *Guid::Parse("{A8FC043F-2ECC-4715-9724-E62009698500}");
const Guid kClass = *Guid::Parse("{7821D12D-EEB5-46F9-9049-D3EEB56902E5}");
const Guid kInterface = *Guid::Parse("{18838B95-0864-4754-8106-91FB75732BC3}");
const Guid kEvents = *Guid::Parse("{82620B95-44D1-403F-AC5E-B2469D073998}");
const Guid kPlainClass = *Guid::Parse("{9E021959-30EB-4537-9202-4EBCDDCE500A}");
const Guid kPlainInterface = *Guid::Parse("{B74D98EF-E0FC-40F4-9F17-A0768CBD6205}");
const std::filesystem::path kPath = "/opt/lumatrel/liblumatrel.so";

ServerDescription Lumatrel() {
  ServerDescription server{kLibrary, "4.10", "Lumatrel", {}};
  ClassDescription control;
  control.class_id = kClass;
  control.prog_id = "Lumatrel.WhiteTop";
  control.class_name = "WhiteTop";
  control.interface_id = kInterface;
  control.interface_name = "_WhiteTop";
  control.event_interface_id = kEvents;
  control.event_interface_name = "__WhiteTop";
  control.is_control = true;
  control.property_pages = {*Guid::Parse("{DD07983A-8363-45B7-957A-C3155B4B38AC}"),
                            *Guid::Parse("{7EBDAAE1-8120-11CF-899F-00AA00688B10}")};
  server.classes.push_back(control);
  ClassDescription plain;
  plain.class_id = kPlainClass;
  plain.prog_id = "Lumatrel.clsSysInfo";
  plain.class_name = "clsSysInfo";
  plain.interface_id = kPlainInterface;
  plain.interface_name = "_clsSysInfo";
  plain.add_in = AddInRegistration{"Software\\Microsoft\\Office\\Outlook", "Feriant",
                                   "Adds and removes holidays", 3};
  server.classes.push_back(plain);
  return server;
}

// Every value in the hive as "key|name=value" lines, keys without values as "key".
std::vector<std::string> Dump(const Hive& hive) {
  std::vector<std::string> lines;
  hive.ForEachKey(
      [&](std::string_view key, const std::vector<registry::NamedValue>& values, bool has_subkeys) {
        if (values.empty() && !has_subkeys && !key.empty()) lines.emplace_back(key);
        for (const auto& value : values) {
          std::string text = std::string(key) + "|" + value.name + "=";
          if (const auto* s = std::get_if<std::string>(&value.value)) {
            text += *s;
          } else {
            text += "#" + std::to_string(std::get<std::int32_t>(value.value));
          }
          lines.push_back(text);
        }
      });
  return lines;
}

TEST(RegistrationTest, WritesTheLayout) {
  Hive hive;
  ASSERT_TRUE(WriteRegistration(hive, Lumatrel(), kPath).ok());
  const std::string c = "Software\\Classes\\CLSID\\{7821D12D-EEB5-46F9-9049-D3EEB56902E5}";
  const std::string p = "Software\\Classes\\CLSID\\{9E021959-30EB-4537-9202-4EBCDDCE500A}";
  const std::string i = "Software\\Classes\\Interface\\";
  const std::string lib = "{A8FC043F-2ECC-4715-9724-E62009698500}";
  const std::string t = "Software\\Classes\\TypeLib\\" + lib + "\\4.10";
  EXPECT_THAT(
      Dump(hive),
      ::testing::UnorderedElementsAreArray(std::vector<std::string>{
          c + "|=WhiteTop",
          c + "\\Control",
          c + "\\PropertyPages|1={DD07983A-8363-45B7-957A-C3155B4B38AC}",
          c + "\\PropertyPages|2={7EBDAAE1-8120-11CF-899F-00AA00688B10}",
          c + "\\InprocServer32|=/opt/lumatrel/liblumatrel.so",
          c + "\\ProgID|=Lumatrel.WhiteTop",
          c + "\\TypeLib|=" + lib,
          c + "\\Version|=4.10",
          p + "|=clsSysInfo",
          p + "\\InprocServer32|=/opt/lumatrel/liblumatrel.so",
          p + "\\ProgID|=Lumatrel.clsSysInfo",
          p + "\\TypeLib|=" + lib,
          p + "\\Version|=4.10",
          i + "{18838B95-0864-4754-8106-91FB75732BC3}|=_WhiteTop",
          i + "{18838B95-0864-4754-8106-91FB75732BC3}\\TypeLib|=" + lib,
          i + "{18838B95-0864-4754-8106-91FB75732BC3}\\TypeLib|Version=4.10",
          i + "{82620B95-44D1-403F-AC5E-B2469D073998}|=__WhiteTop",
          i + "{82620B95-44D1-403F-AC5E-B2469D073998}\\TypeLib|=" + lib,
          i + "{82620B95-44D1-403F-AC5E-B2469D073998}\\TypeLib|Version=4.10",
          i + "{B74D98EF-E0FC-40F4-9F17-A0768CBD6205}|=_clsSysInfo",
          i + "{B74D98EF-E0FC-40F4-9F17-A0768CBD6205}\\TypeLib|=" + lib,
          i + "{B74D98EF-E0FC-40F4-9F17-A0768CBD6205}\\TypeLib|Version=4.10",
          "Software\\Classes\\Lumatrel.WhiteTop\\CLSID|={7821D12D-EEB5-46F9-9049-D3EEB56902E5}",
          "Software\\Classes\\Lumatrel.clsSysInfo\\CLSID|={9E021959-30EB-4537-9202-4EBCDDCE500A}",
          t + "|=Lumatrel",
          t + "\\0\\linux64|=/opt/lumatrel/liblumatrel.so",
          "Software\\Microsoft\\Office\\Outlook\\Addins\\Lumatrel.clsSysInfo|Description="
          "Adds and removes holidays",
          "Software\\Microsoft\\Office\\Outlook\\Addins\\Lumatrel.clsSysInfo|FriendlyName=Feriant",
          "Software\\Microsoft\\Office\\Outlook\\Addins\\Lumatrel.clsSysInfo|LoadBehavior=#3",
      }));
  // Registering again changes nothing.
  const Hive once = hive;
  ASSERT_TRUE(WriteRegistration(hive, Lumatrel(), kPath).ok());
  EXPECT_EQ(hive, once);
}

// Whatever the registry held before, registering and then unregistering gives it back.
TEST(RegistrationTest, RemovingRestoresWhatWasThereBefore) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> before;  // key, value "v" ("" = key only)
  };
  const Case cases[] = {
      {"empty", {}},
      {"unrelated keys", {{"Software\\Quillmark\\Feriant\\2.0", "3"}, {"Other", ""}}},
      {"shared parents hold other classes",
       {{"Software\\Classes\\CLSID\\{00000000-0000-0000-0000-000000000001}", "x"},
        {"Software\\Classes\\Interface", "y"},
        {"Software\\Classes\\TypeLib\\{A8FC043F-2ECC-4715-9724-E62009698500}\\1.0", "old"},
        {"Software\\Microsoft\\Office\\Outlook\\Addins\\Other", "z"}}},
      {"a value beside ours",
       {{"Software\\Classes\\CLSID\\{7821D12D-EEB5-46F9-9049-D3EEB56902E5}", "mine"},
        {"Software\\Classes\\Lumatrel.WhiteTop", "mine"}}},
      {"an empty key of the layout with a subkey of someone else",
       {{"Software\\Classes\\CLSID\\{7821D12D-EEB5-46F9-9049-D3EEB56902E5}\\Control\\Extra", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Hive hive;
    for (const auto& [key, value] : c.before) {
      ASSERT_TRUE(value.empty() ? hive.CreateKey(key).ok() : hive.WriteValue(key, "v", value).ok());
    }
    const Hive before = hive;
    ASSERT_TRUE(WriteRegistration(hive, Lumatrel(), kPath).ok());
    EXPECT_NE(hive, before);
    ASSERT_TRUE(RemoveRegistration(hive, Lumatrel(), kPath).ok());
    EXPECT_EQ(Dump(hive), Dump(before));
    EXPECT_EQ(hive, before);
    // Unregistering what is not registered changes nothing.
    ASSERT_TRUE(RemoveRegistration(hive, Lumatrel(), kPath).ok());
    EXPECT_EQ(hive, before);
  }
}

TEST(RegistrationTest, RemovingLeavesWhatAnotherRegistrationChanged) {
  const std::string control = ClassKey(kClass);
  struct Case {
    const char* name;
    const char* key;  // changed after registering
    const char* value_name;
    RegistryValue value;
    std::vector<std::string> kept;  // still there after unregistering
  };
  const Case cases[] = {
      {"the class now served by another library",
       "InprocServer32",
       "",
       "/other/lib.so",
       {control + "|=WhiteTop", control + "\\InprocServer32|=/other/lib.so",
        control + "\\ProgID|=Lumatrel.WhiteTop", control + "\\Control",
        control + "\\TypeLib|={A8FC043F-2ECC-4715-9724-E62009698500}", control + "\\Version|=4.10",
        control + "\\PropertyPages|1={DD07983A-8363-45B7-957A-C3155B4B38AC}",
        control + "\\PropertyPages|2={7EBDAAE1-8120-11CF-899F-00AA00688B10}",
        "Software\\Classes\\Lumatrel.WhiteTop\\CLSID|={7821D12D-EEB5-46F9-9049-D3EEB56902E5}"}},
      {"a value changed by hand",
       "ProgID",
       "",
       "Lumatrel.WhiteTop.2",
       {control + "\\ProgID|=Lumatrel.WhiteTop.2"}},
      {"a value of another type", "Version", "", 4, {control + "\\Version|=#4"}},
      {"a value added", "ProgID", "Note", "keep me", {control + "\\ProgID|Note=keep me"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Hive hive;
    ASSERT_TRUE(WriteRegistration(hive, Lumatrel(), kPath).ok());
    ASSERT_TRUE(hive.WriteValue(control + "\\" + c.key, c.value_name, c.value).ok());
    ASSERT_TRUE(RemoveRegistration(hive, Lumatrel(), kPath).ok());
    const auto left = Dump(hive);
    for (const std::string& line : c.kept)
      EXPECT_THAT(left, ::testing::Contains(line));
    // The other class and the interfaces of a type library that is still ours are gone.
    EXPECT_FALSE(hive.KeyExists(ClassKey(kPlainClass)));
    EXPECT_FALSE(hive.KeyExists("Software\\Classes\\TypeLib"));
    EXPECT_EQ(left.size(), c.kept.size()) << ::testing::PrintToString(left);
  }
}

TEST(RegistrationTest, APathStoredThroughALinkIsTheFileItNames) {
  testing::ScratchDir dir;
  const std::filesystem::path file = dir.path() / "liblumatrel.so";
  ASSERT_TRUE(base::WriteFileAtomically(file, "").ok());
  std::filesystem::create_symlink(file, dir.path() / "liblink.so");
  Hive hive;
  ASSERT_TRUE(WriteRegistration(hive, Lumatrel(), dir.path() / "liblink.so").ok());
  ASSERT_TRUE(RemoveRegistration(hive, Lumatrel(), file).ok());
  EXPECT_TRUE(hive.empty()) << ::testing::PrintToString(Dump(hive));
}

TEST(RegistrationTest, RefusesNamesThatCannotBeKeys) {
  struct Case {
    const char* name;
    void (*spoil)(ServerDescription&);
  };
  const Case cases[] = {
      {"empty program id", [](ServerDescription& s) { s.classes[0].prog_id.clear(); }},
      {"program id with a path", [](ServerDescription& s) { s.classes[0].prog_id = "A\\B"; }},
      {"empty version", [](ServerDescription& s) { s.version.clear(); }},
      {"empty host key", [](ServerDescription& s) { s.classes[1].add_in->host_key.clear(); }},
  };
  for (const Case& c : cases) {
    ServerDescription server = Lumatrel();
    c.spoil(server);
    Hive hive;
    EXPECT_FALSE(WriteRegistration(hive, server, kPath).ok()) << c.name;
    EXPECT_TRUE(hive.empty()) << c.name;
  }
}

}  // namespace
}  // namespace feriant::components

#include "apps/lumatrel-container/class_catalog.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace feriant::lumatrel_container {
namespace {

constexpr char kLumatrelLib[] = "{A8FC043F-2ECC-4715-9724-E62009698500}";
constexpr char kOtherLib[] = "{00000000-1111-2222-3333-444444444444}";

// Writes a class as registration does: name, library path, program id, type library and,
// for controls, the Control key.
void WriteClass(registry::Hive& hive, const std::string& class_id, const std::string& name,
                const std::string& prog_id, const std::string& type_library, bool control) {
  const std::string key = "Software\\Classes\\CLSID\\" + class_id;
  ASSERT_TRUE(hive.WriteValue(key, "", name));
  ASSERT_TRUE(hive.WriteValue(key + "\\InprocServer32", "", "/usr/lib/lib" + name + ".so"));
  if (!prog_id.empty()) {
    ASSERT_TRUE(hive.WriteValue(key + "\\ProgID", "", prog_id));
  }
  if (!type_library.empty()) {
    ASSERT_TRUE(hive.WriteValue(key + "\\TypeLib", "", type_library));
  }
  if (control) {
    ASSERT_TRUE(hive.CreateKey(key + "\\Control"));
  }
}

TEST(ClassCatalogTest, ListsLumatrelControlsByProgramIdWithTheirListedPages) {
  registry::Hive hive;
  const struct {
    const char* class_id;
    const char* name;
    const char* prog_id;
    const char* type_library;
    bool control;
  } classes[] = {
      {"{7821D12D-EEB5-46F9-9049-D3EEB56902E5}", "WhiteTop", "Lumatrel.WhiteTop", kLumatrelLib,
       true},
      {"{71B34D9D-3F41-4639-87C9-62211099F0D9}", "BottomLine", "Lumatrel.BottomLine", kLumatrelLib,
       true},
      // The page of WhiteTop: same library, not a control.
      {"{DD07983A-8363-45B7-957A-C3155B4B38AC}", "prpWhiteTop", "Lumatrel.prpWhiteTop",
       kLumatrelLib, false},
      // Lumatrel's by its program id alone.
      {"{11111111-0000-0000-0000-000000000001}", "SpinEdit", "LUMATREL.SpinEdit", "", true},
      // Lumatrel's by its type library, without a program id.
      {"{11111111-0000-0000-0000-000000000002}", "TwoBoxes", "", kLumatrelLib, true},
      // Someone else's control, and someone else's page named like one of ours.
      {"{11111111-0000-0000-0000-000000000003}", "Grid", "Other.Grid", kOtherLib, true},
      {"{11111111-0000-0000-0000-000000000004}", "prpBottomLine", "Other.prpBottomLine", kOtherLib,
       false},
      // A Lumatrel class that is not a control.
      {"{11111111-0000-0000-0000-000000000005}", "colItems", "Lumatrel.colItems", kLumatrelLib,
       false},
  };
  for (const auto& c : classes)
    WriteClass(hive, c.class_id, c.name, c.prog_id, c.type_library, c.control);
  // WhiteTop lists its own page and the standard font page; a value that is no class id
  // is skipped, and the list ends at the first number missing.
  const std::string pages =
      "Software\\Classes\\CLSID\\{7821D12D-EEB5-46F9-9049-D3EEB56902E5}\\PropertyPages";
  ASSERT_TRUE(hive.WriteValue(pages, "1", "{DD07983A-8363-45B7-957A-C3155B4B38AC}"));
  ASSERT_TRUE(hive.WriteValue(pages, "2", "not a class id"));
  ASSERT_TRUE(hive.WriteValue(pages, "3", "{7EBDAAE0-8120-11CF-899F-00AA00688B10}"));
  ASSERT_TRUE(hive.WriteValue(pages, "5", "{11111111-0000-0000-0000-000000000009}"));
  ASSERT_TRUE(hive.WriteValue("Software\\Classes\\CLSID\\not-a-guid", "", "junk"));

  const std::vector<RegisteredClass> listed = LumatrelControls(hive);
  std::vector<std::string> names;
  for (const auto& cls : listed)
    names.push_back(cls.prog_id + "/" + cls.class_name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"/TwoBoxes", "Lumatrel.BottomLine/BottomLine",
                                      "LUMATREL.SpinEdit/SpinEdit", "Lumatrel.WhiteTop/WhiteTop"}));
  ASSERT_EQ(listed.size(), 4u);
  // Pages come from the list alone, never from a class's name.
  EXPECT_TRUE(listed[1].property_pages.empty());
  std::vector<std::string> page_ids;
  for (const automation::Guid& page : listed[3].property_pages)
    page_ids.push_back(page.ToString());
  EXPECT_EQ(page_ids, (std::vector<std::string>{"{DD07983A-8363-45B7-957A-C3155B4B38AC}",
                                                "{7EBDAAE0-8120-11CF-899F-00AA00688B10}"}));
  EXPECT_EQ(listed[3].library, "/usr/lib/libWhiteTop.so");

  const struct {
    const char* name;
    const char* found;  // class name; nullptr: none
  } lookups[] = {
      {"Lumatrel.WhiteTop", "WhiteTop"},
      {"lumatrel.whitetop", "WhiteTop"},
      {"{71B34D9D-3F41-4639-87C9-62211099F0D9}", "BottomLine"},
      {"71b34d9d-3f41-4639-87c9-62211099f0d9", "BottomLine"},
      {"Other.Grid", nullptr},
      {"Lumatrel.prpWhiteTop", nullptr},
      {"", nullptr},
  };
  for (const auto& l : lookups) {
    const RegisteredClass* found = FindClass(listed, l.name);
    if (l.found == nullptr) {
      EXPECT_EQ(found, nullptr) << l.name;
    } else {
      ASSERT_NE(found, nullptr) << l.name;
      EXPECT_EQ(found->class_name, l.found);
    }
  }
}

TEST(ClassCatalogTest, AnEmptyRegistryHasNoControls) {
  EXPECT_TRUE(LumatrelControls(registry::Hive()).empty());
}

}  // namespace
}  // namespace feriant::lumatrel_container

#include "platform/ui/core/form_store.h"

#include <optional>

#include "platform/base/file.h"
#include "platform/base/text.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/persistence/property_bag.h"
#include "platform/ui/persistence/variant_codec.h"

namespace feriant::ui {

using codec::Json;

namespace {

constexpr char kFormat[] = "feriant-form";
constexpr int kVersion = 1;
// A form's controls and their properties take kilobytes; pictures a few megabytes at most.
constexpr std::size_t kMaxFormFileBytes = std::size_t{64} << 20;
// The document, the control list, a control, its properties, one property, its value
// and arrays in arrays: a form file nests far less than this.
constexpr std::size_t kMaxNesting = 32;

base::ReplaceOptions FormFileOptions() {
  base::ReplaceOptions options;
  options.max_bytes = kMaxFormFileBytes;
  return options;
}

// One saved control, read and checked before anything on the form changes.
struct SavedControl {
  std::string name;
  automation::Guid class_id;
  Rect bounds;
  int align = 0;
  bool visible = true;
  bool is_default = false;
  bool is_cancel = false;
  int tab_index = 0;
  std::string tag;
  PropertyBag bag;
};

Error Damaged(const std::filesystem::path& path, const std::string& what) {
  return Error{ui_error::kInvalidPropertyValue,
               "The form file " + path.string() + " is damaged: " + what,
               {},
               ErrorKind::kDamaged};
}

}  // namespace

// PropertyBag::Restore is private to the bag and its store.
Status FormStore::Save(Form& form, const std::filesystem::path& path) {
  Json controls = Json::array();
  std::vector<Extender*> saved;
  for (Extender* extender : form.Extenders()) {
    std::shared_ptr<UserControl> object = extender->Object();
    PropertyBag bag;
    if (Status s = object->Save(bag); !s) return s;
    Json properties = Json::array();
    for (const PropertyBag::Entry& entry : bag.Entries()) {
      auto value = codec::EncodeVariant(entry.value);
      if (!value) {
        return Error{value.error().code,
                     extender->Name() + "." + entry.key + ": " + value.error().description,
                     {},
                     value.error().kind};
      }
      properties.push_back(Json::array({entry.key, std::move(*value)}));
    }
    Json control = Json::object();
    control["name"] = extender->Name();
    control["class"] = object->ClassId().ToString();
    control["left"] = extender->Left();
    control["top"] = extender->Top();
    control["width"] = extender->Width();
    control["height"] = extender->Height();
    control["align"] = extender->Align();
    control["visible"] = extender->Visible();
    control["default"] = extender->Default();
    control["cancel"] = extender->Cancel();
    control["tab_index"] = extender->TabIndex();
    control["tag"] = extender->Tag();
    control["properties"] = std::move(properties);
    controls.push_back(std::move(control));
    saved.push_back(extender);
  }
  Json document = Json::object();
  document["format"] = kFormat;
  document["version"] = kVersion;
  document["form"] = form.Name();
  document["controls"] = std::move(controls);

  // A form file is the form's alone: whatever it holds now is replaced.
  const std::string text = document.dump(2) + "\n";
  const auto replace_all = [&](const base::CurrentContent&) {
    return Result<std::optional<std::string_view>>(std::optional<std::string_view>(text));
  };
  const Result<base::Replaced> replaced = base::ReplaceFile(path, replace_all, FormFileOptions());
  if (!replaced) return replaced.error();
  for (Extender* extender : saved)
    extender->SetDirty(false);
  return base::StatusOf(path, replaced);
}

Status FormStore::Load(Form& form, const std::filesystem::path& path,
                       const ControlFactory& factory) {
  auto text = base::ReadFile(path, kMaxFormFileBytes);
  if (!text) return text.error();
  if (base::JsonNestsDeeperThan(*text, kMaxNesting)) return Damaged(path, "nested too deep");
  // Every exception of the JSON library ends here, as a damaged file.
  try {
    return LoadDocument(form, path, *text, factory);
  } catch (const Json::exception& error) {
    return Damaged(path, error.what());
  }
}

Status FormStore::LoadDocument(Form& form, const std::filesystem::path& path,
                               const std::string& text, const ControlFactory& factory) {
  Json document = Json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (document.is_discarded()) return Damaged(path, "not valid JSON");
  // Compared as JSON values: a "format" of another type is simply not ours.
  if (!document.is_object() || !document.contains("format") || document["format"] != kFormat)
    return Damaged(path, "not a form file");
  if (!document.contains("version") || document["version"] != kVersion)
    return Damaged(path, "unknown version");
  const auto list = document.find("controls");
  if (list == document.end() || !list->is_array()) return Damaged(path, "no control list");

  std::vector<SavedControl> saved;
  for (const Json& entry : *list) {
    if (!entry.is_object()) return Damaged(path, "a control is not an object");
    SavedControl control;
    auto text_field = [&](const char* key, std::string& out) {
      auto it = entry.find(key);
      if (it == entry.end() || !it->is_string()) return false;
      out = it->get<std::string>();
      return true;
    };
    auto int_field = [&](const char* key, int& out) {
      auto it = entry.find(key);
      if (it == entry.end()) return false;
      auto value = codec::DecodeLong(*it);
      if (!value) return false;
      out = *value;
      return true;
    };
    auto bool_field = [&](const char* key, bool& out) {
      auto it = entry.find(key);
      if (it == entry.end() || !it->is_boolean()) return false;
      out = it->get<bool>();
      return true;
    };
    std::string class_text;
    if (!text_field("name", control.name) || control.name.empty())
      return Damaged(path, "a control without a name");
    const std::string where = "control " + control.name + ": ";
    if (!text_field("class", class_text)) return Damaged(path, where + "no class");
    auto class_id = automation::Guid::Parse(class_text);
    if (!class_id) return Damaged(path, where + "bad class id");
    control.class_id = *class_id;
    if (!int_field("left", control.bounds.left) || !int_field("top", control.bounds.top) ||
        !int_field("width", control.bounds.width) || !int_field("height", control.bounds.height) ||
        control.bounds.width < 0 || control.bounds.height < 0)
      return Damaged(path, where + "bad position or size");
    if (!int_field("align", control.align) || control.align < 0 || control.align > 4)
      return Damaged(path, where + "bad Align");
    if (!bool_field("visible", control.visible) || !bool_field("default", control.is_default) ||
        !bool_field("cancel", control.is_cancel))
      return Damaged(path, where + "bad flags");
    if (!int_field("tab_index", control.tab_index) || control.tab_index < 0)
      return Damaged(path, where + "bad tab index");
    if (!text_field("tag", control.tag)) return Damaged(path, where + "bad tag");
    for (const SavedControl& other : saved) {
      if (automation::NamesEqual(other.name, control.name))
        return Damaged(path, where + "name used twice");
    }
    const auto properties = entry.find("properties");
    if (properties == entry.end() || !properties->is_array())
      return Damaged(path, where + "no properties");
    for (const Json& property : *properties) {
      if (!property.is_array() || property.size() != 2 || !property[0].is_string())
        return Damaged(path, where + "bad property");
      auto value = codec::DecodeVariant(property[1]);
      if (!value) return Damaged(path, where + value.error().description);
      if (Status s = control.bag.Restore(property[0].get<std::string>(), std::move(*value)); !s)
        return Damaged(path, where + s.error().description);
    }
    saved.push_back(std::move(control));
  }

  // A name taken by a standard control, or by a user control of another class, cannot
  // be restored; find out before changing anything.
  for (const SavedControl& control : saved) {
    Control* existing = form.Find(control.name);
    if (existing == nullptr) continue;
    auto* extender = dynamic_cast<Extender*>(existing);
    if (extender == nullptr || extender->Object()->ClassId() != control.class_id)
      return Damaged(path, "control " + control.name + " does not match the form");
  }

  for (SavedControl& control : saved) {
    auto* extender = form.FindAs<Extender>(control.name);
    if (extender == nullptr) {
      if (!factory) return MakeUiError(ui_error::kCantCreateObject, "no control factory");
      auto created = factory(control.class_id);
      if (!created) return created.error();
      auto object = std::dynamic_pointer_cast<UserControl>(*created);
      if (!object) {
        return MakeUiError(ui_error::kCantCreateObject,
                           control.class_id.ToString() + " is not a control");
      }
      auto sited = form.SiteUserControl(std::move(object), control.name);
      if (!sited) return sited.error();
      extender = *sited;
    }
    std::shared_ptr<UserControl> object = extender->Object();
    // Extender state first, so that the control reads its properties in place; its
    // Resize waits until they are read.
    object->placing_ = true;
    (void)extender->Move(control.bounds.left, control.bounds.top, control.bounds.width,
                         control.bounds.height);
    (void)extender->SetAlign(control.align);
    extender->SetVisible(control.visible);
    extender->SetDefault(control.is_default);
    extender->SetCancel(control.is_cancel);
    (void)extender->SetTabIndex(control.tab_index);
    extender->SetTag(control.tag);
    if (Status s = object->Load(control.bag); !s) return s;
    object->ReportSize();
  }
  form.UpdateShown();
  return Ok();
}

}  // namespace feriant::ui

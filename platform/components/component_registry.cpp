#include "platform/components/component_registry.h"

#include <variant>

#include "platform/components/registration.h"
#include "platform/registry/registry.h"

namespace feriant::components {
namespace {

using automation::hresult::kClassNotRegistered;

class SystemLoader final : public LibraryLoader {
 public:
  Result<std::unique_ptr<ComponentLibrary>> Load(const std::filesystem::path& file) override {
    return ComponentLibrary::Load(file);
  }
};

// The text default value of `key`, or kClassNotRegistered naming `what`.
Result<std::string> DefaultText(std::string_view key, const std::string& what) {
  auto value = registry::Registry::CurrentUser().ReadValue(key, "");
  if (!value) return value.error();
  if (!value->has_value()) return automation::MakeError(kClassNotRegistered, what);
  const auto* text = std::get_if<std::string>(&**value);
  if (text == nullptr || text->empty()) {
    return automation::MakeError(
        kClassNotRegistered, what + " (the registry key " + std::string(key) + " holds no text)");
  }
  return *text;
}

Error ForClass(const automation::Guid& class_id, const Error& error) {
  return Error{error.code, "cannot create " + class_id.ToString() + ": " + error.description,
               error.source, error.kind};
}

}  // namespace

std::unique_ptr<LibraryLoader> SystemLibraryLoader() {
  return std::make_unique<SystemLoader>();
}

ComponentRegistry::ComponentRegistry(std::unique_ptr<LibraryLoader> loader)
    : loader_(std::move(loader)) {}

ComponentRegistry::~ComponentRegistry() = default;

Result<automation::Guid> ComponentRegistry::ClassIdOf(std::string_view prog_id) const {
  const std::string what(prog_id);
  if (prog_id.empty() || prog_id.find('\\') != std::string_view::npos)
    return automation::MakeError(kClassNotRegistered, what);
  auto text = DefaultText(ProgIdKey(prog_id) + "\\CLSID", what);
  if (!text) return text.error();
  auto class_id = automation::Guid::Parse(*text);
  if (!class_id) {
    return automation::MakeError(kClassNotRegistered,
                                 what + " (its class id \"" + *text + "\" is not a class id)");
  }
  return *class_id;
}

Result<std::filesystem::path> ComponentRegistry::LibraryOf(const automation::Guid& class_id) const {
  auto text = DefaultText(ClassKey(class_id) + "\\InprocServer32", class_id.ToString());
  if (!text) return text.error();
  return std::filesystem::path(*text);
}

Result<const ComponentLibrary*> ComponentRegistry::Library(const std::filesystem::path& file) {
  for (const auto& library : libraries_) {
    if (library->file() == file) return library.get();
  }
  auto library = loader_->Load(file);
  if (!library) return library.error();
  libraries_.push_back(std::move(*library));
  return libraries_.back().get();
}

Result<std::shared_ptr<automation::Dispatch>> ComponentRegistry::CreateObject(
    const automation::Guid& class_id) {
  auto file = LibraryOf(class_id);
  if (!file) return file.error();
  auto library = Library(*file);
  if (!library) return ForClass(class_id, library.error());
  auto factory = (*library)->GetClassObject(class_id);
  if (!factory) return ForClass(class_id, factory.error());
  auto object = (*factory)->CreateInstance();
  if (!object) return ForClass(class_id, object.error());
  return object;
}

Result<std::shared_ptr<automation::Dispatch>> ComponentRegistry::CreateObject(
    std::string_view prog_id) {
  auto class_id = ClassIdOf(prog_id);
  if (!class_id) return class_id.error();
  return CreateObject(*class_id);
}

std::vector<std::filesystem::path> ComponentRegistry::LoadedLibraries() const {
  std::vector<std::filesystem::path> files;
  for (const auto& library : libraries_)
    files.push_back(library->file());
  return files;
}

ComponentRegistry& ProcessComponentRegistry() {
  // Never destroyed: objects of its libraries may be released by other static objects
  // during exit, and their code must still be there.
  static ComponentRegistry* const registry = new ComponentRegistry();
  return *registry;
}

Result<std::shared_ptr<automation::Dispatch>> CreateObject(const automation::Guid& class_id) {
  return ProcessComponentRegistry().CreateObject(class_id);
}

Result<std::shared_ptr<automation::Dispatch>> CreateObject(std::string_view prog_id) {
  return ProcessComponentRegistry().CreateObject(prog_id);
}

}  // namespace feriant::components

#include "platform/automation/dispatch.h"

#include "platform/base/text.h"

namespace feriant::automation {
namespace {

Result<Variant> InvokeWith(Dispatch& object, DispId id, InvokeKind kind, std::vector<Variant>& args,
                           const std::vector<NamedArg>& named) {
  return object.Invoke(id, kind, std::span<Variant>(args), std::span<const NamedArg>(named));
}

Status PutWith(Dispatch& object, DispId id, InvokeKind kind, Variant value) {
  auto result = object.Invoke(id, kind, std::span<Variant>(&value, 1), {});
  if (!result) return result.error();
  return Ok();
}

}  // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
  return base::EqualsIgnoringAsciiCase(a, b);
}

Result<Variant> Dispatch::Get(DispId id, std::vector<Variant> args) {
  return InvokeWith(*this, id, InvokeKind::kPropertyGet, args, {});
}

Result<Variant> Dispatch::Get(std::string_view name, std::vector<Variant> args) {
  auto id = GetIdOfName(name);
  if (!id) return id.error();
  return Get(*id, std::move(args));
}

Status Dispatch::Put(DispId id, Variant value) {
  return PutWith(*this, id, InvokeKind::kPropertyPut, std::move(value));
}

Status Dispatch::Put(std::string_view name, Variant value) {
  auto id = GetIdOfName(name);
  if (!id) return id.error();
  return Put(*id, std::move(value));
}

Status Dispatch::PutRef(DispId id, Variant value) {
  return PutWith(*this, id, InvokeKind::kPropertyPutRef, std::move(value));
}

Status Dispatch::PutRef(std::string_view name, Variant value) {
  auto id = GetIdOfName(name);
  if (!id) return id.error();
  return PutRef(*id, std::move(value));
}

Result<Variant> Dispatch::Call(DispId id, std::vector<Variant> args, std::vector<NamedArg> named) {
  return InvokeWith(*this, id, InvokeKind::kMethod, args, named);
}

Result<Variant> Dispatch::Call(std::string_view name, std::vector<Variant> args,
                               std::vector<NamedArg> named) {
  auto id = GetIdOfName(name);
  if (!id) return id.error();
  return Call(*id, std::move(args), std::move(named));
}

Result<VariantArray> Dispatch::Enumerate() {
  auto elements = Get(kDispIdNewEnum);
  if (!elements) return elements.error();
  if (const VariantArray* array = elements->AsArray()) return *array;
  return MakeError(hresult::kTypeMismatch, "the enumeration is not an array");
}

Variant ArgumentOf(std::span<Variant> args, std::span<const NamedArg> named, std::string_view name,
                   size_t position) {
  for (const NamedArg& arg : named) {
    if (NamesEqual(arg.name, name)) return arg.value;
  }
  if (position < args.size() && !args[position].IsMissing()) return args[position];
  return Variant::Missing();
}

}  // namespace feriant::automation

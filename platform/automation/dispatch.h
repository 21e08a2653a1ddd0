#pragma once
// Dispatch: late-bound calls on an object, by dispatch id or by member name.
//
// A call names a member and a kind (method, property get, put, put by reference) and
// passes positional arguments in call order (for a put, the new value comes last) and
// named arguments. A callee may write back into positional arguments that it takes by
// reference; the caller sees the changed values. Failures come back as Error values
// (errors.h). Objects are shared (std::shared_ptr); one thread, the user-interface thread.
//
// Objects implement Dispatch most easily with DispatchObject<T> and a static Members<T>
// table that lists the interface in slot order.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/errors.h"
#include "platform/automation/variant.h"

namespace feriant::automation {

using DispId = std::int32_t;
inline constexpr DispId kDispIdValue = 0;  // the default member
inline constexpr DispId kDispIdUnknown = -1;
inline constexpr DispId kDispIdNewEnum = -4;  // enumeration: a get that returns the elements

enum class InvokeKind : std::uint16_t {
  kMethod = 1,
  kPropertyGet = 2,
  kPropertyPut = 4,
  kPropertyPutRef = 8,
};

struct NamedArg {
  std::string name;
  Variant value;
};

class Dispatch : public std::enable_shared_from_this<Dispatch> {
 public:
  virtual ~Dispatch() = default;

  // The run-time type name of the object ("AppointmentItem", "frmAddIn").
  virtual std::string TypeName() const = 0;
  // The dispatch id of a member; names compare ignoring ASCII case.
  virtual Result<DispId> GetIdOfName(std::string_view name) const = 0;
  virtual Result<Variant> Invoke(DispId id, InvokeKind kind, std::span<Variant> args,
                                 std::span<const NamedArg> named) = 0;

  // Conveniences for callers. By-name calls resolve the id first.
  Result<Variant> Get(DispId id, std::vector<Variant> args = {});
  Result<Variant> Get(std::string_view name, std::vector<Variant> args = {});
  Status Put(DispId id, Variant value);
  Status Put(std::string_view name, Variant value);
  Status PutRef(DispId id, Variant value);
  Status PutRef(std::string_view name, Variant value);
  Result<Variant> Call(DispId id, std::vector<Variant> args = {}, std::vector<NamedArg> named = {});
  Result<Variant> Call(std::string_view name, std::vector<Variant> args = {},
                       std::vector<NamedArg> named = {});
  // Enumerates a collection through kDispIdNewEnum: the elements in their stable order.
  Result<VariantArray> Enumerate();
};

// Reads a named argument, or the positional one at `position` when no such name was
// passed; Missing() when neither is there.
Variant ArgumentOf(std::span<Variant> args, std::span<const NamedArg> named, std::string_view name,
                   size_t position);

// Case-insensitive (ASCII) equality, the rule for member and argument names.
bool NamesEqual(std::string_view a, std::string_view b);

// The member table of one interface of class T, in slot order: each entry added is the
// next slot. A member name may carry several kinds (a get and a put), each its own slot.
template <class T>
class Members {
 public:
  using GetFn = std::function<Result<Variant>(T&, std::span<Variant>)>;
  using PutFn = std::function<Status(T&, std::span<Variant>)>;  // value is args.back()
  using MethodFn =
      std::function<Result<Variant>(T&, std::span<Variant>, std::span<const NamedArg>)>;

  struct Slot {
    std::string name;
    DispId id;
    InvokeKind kind;
  };

  Members& Get(std::string name, DispId id, GetFn fn) {
    return Add(std::move(name), id, InvokeKind::kPropertyGet, std::move(fn));
  }
  Members& Put(std::string name, DispId id, PutFn fn) {
    return Add(std::move(name), id, InvokeKind::kPropertyPut, std::move(fn));
  }
  Members& PutRef(std::string name, DispId id, PutFn fn) {
    return Add(std::move(name), id, InvokeKind::kPropertyPutRef, std::move(fn));
  }
  Members& Method(std::string name, DispId id, MethodFn fn) {
    return Add(std::move(name), id, InvokeKind::kMethod, std::move(fn));
  }

  const std::vector<Slot>& Slots() const { return slots_; }

  Result<DispId> IdOfName(std::string_view name) const {
    for (const Entry& entry : entries_) {
      if (entry.name.size() == name.size() && NamesEqual(entry.name, name)) return entry.id;
    }
    return MakeError(hresult::kUnknownName, std::string(name));
  }

  Result<Variant> Invoke(T& self, DispId id, InvokeKind kind, std::span<Variant> args,
                         std::span<const NamedArg> named) const {
    const Entry* entry = nullptr;
    for (const Entry& candidate : entries_) {
      if (candidate.id == id) {
        entry = &candidate;
        break;
      }
    }
    if (entry == nullptr)
      return MakeError(hresult::kMemberNotFound, "dispatch id " + std::to_string(id));
    switch (kind) {
      case InvokeKind::kPropertyGet:
      case InvokeKind::kMethod:
        // Callers may ask a property for its value as if calling it, and call an
        // argument-less method as if reading it; automation objects accept both.
        if (kind == InvokeKind::kMethod && entry->method) return entry->method(self, args, named);
        if (entry->get) return entry->get(self, args);
        if (entry->method) return entry->method(self, args, named);
        break;
      case InvokeKind::kPropertyPut:
      case InvokeKind::kPropertyPutRef: {
        const PutFn& put = kind == InvokeKind::kPropertyPut ? entry->put : entry->put_ref;
        // A put of an object value falls back to put by reference and vice versa.
        const PutFn& other = kind == InvokeKind::kPropertyPut ? entry->put_ref : entry->put;
        const PutFn& chosen = put ? put : other;
        if (!chosen) break;
        if (args.empty()) return MakeError(hresult::kBadParamCount, entry->name);
        if (Status status = chosen(self, args); !status) return status.error();
        return Variant();
      }
    }
    return MakeError(hresult::kMemberNotFound, entry->name);
  }

 private:
  struct Entry {
    std::string name;
    DispId id;
    GetFn get;
    PutFn put;
    PutFn put_ref;
    MethodFn method;
  };

  template <class Fn>
  Members& Add(std::string name, DispId id, InvokeKind kind, Fn fn) {
    slots_.push_back(Slot{name, id, kind});
    Entry* entry = nullptr;
    for (Entry& existing : entries_) {
      if (existing.id == id) entry = &existing;
    }
    if (entry == nullptr) {
      entries_.push_back(Entry{std::move(name), id, {}, {}, {}, {}});
      entry = &entries_.back();
    }
    if constexpr (std::is_same_v<Fn, GetFn>) {
      entry->get = std::move(fn);
    } else if constexpr (std::is_same_v<Fn, MethodFn>) {
      entry->method = std::move(fn);
    } else if (kind == InvokeKind::kPropertyPut) {
      entry->put = std::move(fn);
    } else {
      entry->put_ref = std::move(fn);
    }
    return *this;
  }

  std::vector<Slot> slots_;
  std::vector<Entry> entries_;
};

// Base for objects whose interface is the table T::Interface() (a static Members<T>).
// ObjectError thrown by a member reaches the caller as its Error.
template <class T>
class DispatchObject : public Dispatch {
 public:
  Result<DispId> GetIdOfName(std::string_view name) const override {
    return T::Interface().IdOfName(name);
  }
  Result<Variant> Invoke(DispId id, InvokeKind kind, std::span<Variant> args,
                         std::span<const NamedArg> named) override {
    try {
      return T::Interface().Invoke(static_cast<T&>(*this), id, kind, args, named);
    } catch (const ObjectError& error) {
      return error.error();
    }
  }
};

}  // namespace feriant::automation

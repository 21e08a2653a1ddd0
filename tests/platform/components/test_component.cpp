// The test component library: a small server built with ComponentServer, exporting only
// its four entry points (see test_component.h).

#include "tests/platform/components/test_component.h"

#include <memory>

#include "platform/automation/events.h"
#include "platform/components/component_server.h"

namespace feriant::components::test_component {
namespace {

using automation::InvokeKind;
using automation::NamedArg;
using automation::Variant;

std::int32_t objects_created = 0;

class Counter final : public automation::DispatchObject<Counter>,
                      public automation::ConnectionPointContainer {
 public:
  Counter() : serial_(++objects_created) {}

  static const automation::Members<Counter>& Interface() {
    static const auto* members = [] {
      auto* table = new automation::Members<Counter>();
      table->Get("Value", kValue, [](Counter& self, std::span<Variant>) -> Result<Variant> {
        return Variant(self.value_);
      });
      table->Put("Value", kValue, [](Counter& self, std::span<Variant> args) -> Status {
        auto value = args.back().ToI4();
        if (!value) return value.error();
        self.value_ = *value;
        return Ok();
      });
      table->Method("Increment", kIncrement,
                    [](Counter& self, std::span<Variant> args,
                       std::span<const NamedArg> named) -> Result<Variant> {
                      Variant step = automation::ArgumentOf(args, named, "Step", 0);
                      auto by = step.IsMissing() ? Result<std::int32_t>(1) : step.ToI4();
                      if (!by) return by.error();
                      return Variant(self.Increment(*by));
                    });
      table->Method("Fail", kFail,
                    [](Counter&, std::span<Variant>, std::span<const NamedArg>) -> Result<Variant> {
                      throw automation::ObjectError(5, "the counter failed on purpose",
                                                    std::string(kCounterProgId));
                    });
      table->Get("Serial", kSerial, [](Counter& self, std::span<Variant>) -> Result<Variant> {
        return Variant(self.serial_);
      });
      return table;
    }();
    return *members;
  }

  std::string TypeName() const override { return "Counter"; }

  automation::EventSource* FindConnectionPoint(const Guid& event_interface) override {
    return event_interface == events_.EventInterface() ? &events_ : nullptr;
  }

 private:
  std::int32_t Increment(std::int32_t by) {
    Variant changing[] = {Variant(value_ + by), Variant(false)};
    events_.Raise(kChanging, changing);
    if (changing[1].ToBool().value_or(false)) return value_;
    value_ += by;
    Variant changed[] = {Variant(value_)};
    events_.Raise(kChanged, changed);
    return value_;
  }

  std::int32_t value_ = 0;
  std::int32_t serial_;
  automation::EventSource events_{kCounterEvents};
};

class AddIn final : public automation::DispatchObject<AddIn> {
 public:
  static const automation::Members<AddIn>& Interface() {
    static const auto* members = [] {
      auto* table = new automation::Members<AddIn>();
      table->Get("Name", automation::kDispIdValue,
                 [](AddIn&, std::span<Variant>) -> Result<Variant> { return Variant("AddIn"); });
      return table;
    }();
    return *members;
  }
  std::string TypeName() const override { return "AddIn"; }
};

ServerDescription Describe() {
  ServerDescription server;
  server.library_id = kLibraryId;
  server.version = std::string(kVersion);
  server.library_name = std::string(kLibraryName);

  ClassDescription counter;
  counter.class_id = kCounterClass;
  counter.prog_id = std::string(kCounterProgId);
  counter.class_name = "Counter";
  counter.interface_id = kCounterInterface;
  counter.interface_name = "_Counter";
  counter.event_interface_id = kCounterEvents;
  counter.event_interface_name = "__Counter";
  counter.is_control = true;
  counter.create = []() -> Result<std::shared_ptr<automation::Dispatch>> {
    return std::shared_ptr<automation::Dispatch>(std::make_shared<Counter>());
  };
  server.classes.push_back(std::move(counter));

  ClassDescription add_in;
  add_in.class_id = kAddInClass;
  add_in.prog_id = std::string(kAddInProgId);
  add_in.class_name = "AddIn";
  add_in.interface_id = kAddInInterface;
  add_in.interface_name = "_AddIn";
  add_in.create = []() -> Result<std::shared_ptr<automation::Dispatch>> {
    return std::shared_ptr<automation::Dispatch>(std::make_shared<AddIn>());
  };
  add_in.add_in =
      AddInRegistration{std::string(kAddInHostKey), "Feriant Test", "Adds nothing to nothing", 3};
  server.classes.push_back(std::move(add_in));

  ClassDescription broken;
  broken.class_id = kBrokenClass;
  broken.prog_id = std::string(kBrokenProgId);
  broken.class_name = "Broken";
  broken.interface_id = kBrokenInterface;
  broken.interface_name = "_Broken";
  broken.create = []() -> Result<std::shared_ptr<automation::Dispatch>> {
    return automation::MakeError(automation::hresult::kFail, "the broken class breaks");
  };
  server.classes.push_back(std::move(broken));
  return server;
}

const ComponentServer& Server() {
  static const auto* server = new ComponentServer(Describe());
  return *server;
}

}  // namespace
}  // namespace feriant::components::test_component

FERIANT_COMPONENT_ENTRY_POINTS(::feriant::components::test_component::Server())

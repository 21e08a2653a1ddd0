// Fuzz target: restoring a form from a form file. The factory creates nothing, so every
// input is checked in full and then refused or restored onto an empty form.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/ui/core/form.h"
#include "platform/ui/core/form_store.h"
#include "platform/ui/core/headless_backend.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace ui = feriant::ui;
  static feriant::fuzzing::FuzzFile file(".json");
  static const auto backend = [] {
    auto headless = std::make_shared<ui::HeadlessBackend>();
    ui::SetBackend(headless);
    return headless;
  }();
  auto form = std::make_shared<ui::Form>("frmFuzz");
  const ui::ControlFactory nothing = [](const feriant::automation::Guid&)
      -> feriant::Result<std::shared_ptr<feriant::automation::Dispatch>> {
    return feriant::ErrorOf(feriant::ErrorKind::kNotFound, "no controls here");
  };
  (void)ui::FormStore::Load(*form, file.Holding(data, size), nothing);
  return 0;
}

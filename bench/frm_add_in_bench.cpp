// Loading the dialog headless, as a host's click does before the window appears: the
// controls built, the Lumatrel banner and bar created from the registered liblumatrel.so,
// captions, countries, languages, the remembered country Schweiz with its whole region
// tree, and the layout. The goal is 10 ms or less per load.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "addin/dialog/frm_add_in.h"
#include "addin/engine/host_kind.h"
#include "platform/components/component_library.h"
#include "platform/registry/registry.h"
#include "platform/ui/controls/tree_view.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/headless_backend.h"

namespace feriant::dialog {
namespace {

void BM_LoadDialogWithSchweiz(benchmark::State& state) {
  // A registry of its own, so that the person's is never touched.
  const std::filesystem::path registry_file =
      std::filesystem::temp_directory_path() /
      ("feriant-bench-registry-" + std::to_string(::getpid()) + ".json");
  ::setenv("FERIANT_REGISTRY", registry_file.c_str(), 1);
  auto previous = ui::SetBackend(std::make_shared<ui::HeadlessBackend>());
  auto library = components::ComponentLibrary::Load(FERIANT_LUMATREL);
  if (!library.ok() || (*library)->RegisterServer() != components::kSOk) {
    state.SkipWithError("liblumatrel.so cannot be loaded and registered");
    return;
  }
  const registry::Registry store(registry_file);
  auto dialog = std::make_shared<frmAddIn>();
  dialog->SetHost(engine::HostContext{engine::kHostOutlook, nullptr});
  int nodes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // Schweiz is the fifth country; unloading stores what was chosen, so put it back.
    (void)store.WriteValue(kSettingsKey, kRegionIndexValue, std::int32_t{4});
    state.ResumeTiming();
    if (!dialog->Load() || dialog->Selection().country != "Schweiz") {
      state.SkipWithError("the dialog did not load with Schweiz");
      break;
    }
    nodes = dialog->FindAs<ui::TreeView>("trvRegions")->NodeCount();
    state.PauseTiming();
    (void)dialog->Unload();
    state.ResumeTiming();
  }
  state.counters["nodes"] = nodes;
  dialog.reset();
  (void)(*library)->UnregisterServer();
  ui::SetBackend(previous);
  std::filesystem::remove(registry_file);
}
BENCHMARK(BM_LoadDialogWithSchweiz)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace feriant::dialog

BENCHMARK_MAIN();

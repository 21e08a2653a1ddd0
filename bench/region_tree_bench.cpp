// A region tree as the dialog builds it when a country is chosen: 374 nodes with check
// boxes (the size of the whole region table) cleared and added to the model, the first
// node expanded and ticked, and everything mirrored into a real Qt tree view and painted,
// on Qt's offscreen platform. The figure that matters is the time per fill; the goal is
// 20 ms or less, so that the tree shows without visible delay.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/ui/controls/tree_view.h"
#include "platform/ui/core/form.h"
#include "platform/ui_qt/offscreen_application.h"
#include "platform/ui_qt/qt_backend.h"

namespace feriant::ui_qt {
namespace {

using namespace ui::tree_relationship;

constexpr int kNodes = 374;
constexpr int kStates = 34;  // under the country; the rest are towns under the states

// Clears the tree and adds the country, its states and their towns, as region paths.
void Fill(ui::TreeView& tree) {
  tree.Clear();
  ui::TreeNode* country = *tree.Add(nullptr, kLast, "Schweiz", "Schweiz (9 Feiertage)");
  for (int state = 0; state < kStates; ++state) {
    const std::string key = "Schweiz|Kanton " + std::to_string(state);
    ui::TreeNode* parent = *tree.Add(country, kChild, key, "Kanton " + std::to_string(state));
    for (int town = 0; 1 + kStates + state * 10 + town < kNodes && town < 10; ++town) {
      const std::string name = "Ort " + std::to_string(state) + "." + std::to_string(town);
      (void)tree.Add(parent, kChild, key + "|" + name, name + " (+1 Feiertag)");
    }
  }
  country->SetExpanded(true);
  country->SetChecked(true);
}

void BM_FillAndShowRegionTree(benchmark::State& state) {
  StartOffscreenApplication();
  auto backend = QtBackend::Install(15);
  {
    auto form = std::make_shared<ui::Form>("frmAddIn");
    (void)form->SetClientSize(9465, 7965);
    (void)form->Load();
    auto& tree = form->Add<ui::TreeView>("trvRegions");
    (void)tree.Move(3720, 1560, 5580, 2895);
    tree.SetCheckboxes(true);
    (void)form->Show();
    ProcessPendingEvents();
    for (auto _ : state) {
      Fill(tree);
      // Laid out and painted before the next event loop turn is over.
      ProcessPendingEvents();
      tree.Refresh();
    }
    if (tree.NodeCount() != kNodes) state.SkipWithError("the tree has the wrong number of nodes");
    state.counters["nodes"] = tree.NodeCount();
    (void)form->Unload();
  }
  ui::SetBackend(nullptr);
}
BENCHMARK(BM_FillAndShowRegionTree)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace feriant::ui_qt

BENCHMARK_MAIN();

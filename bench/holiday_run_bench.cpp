// The holiday run under the peer workload: every German state and every Swiss canton on
// its own, ticked with its country, processed over all years a run allows, with a
// listing observer that reads every occurrence with its full texts. The figure that
// matters is the time per subdivision-year. The tables' assignments unless a benchmark
// says it applies the current law.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/engine/holiday_run.h"
#include "tests/support/recording_dialog.h"

namespace feriant::engine {
namespace {

// Touches everything a listing prints: the texts with their lengths, the date, the flags.
class ListingObserver final : public OccurrenceObserver {
 public:
  void OnOccurrence(const Occurrence& occurrence) override {
    checksum += occurrence.name->Name.size() + occurrence.CountryLine.size() +
                occurrence.RegionsText.size() +
                static_cast<size_t>(occurrence.date.Start.time_since_epoch().count()) +
                (occurrence.IsDayOff ? 1 : 0) + (occurrence.IsWorldCupMatch ? 2 : 0);
    ++occurrences;
  }
  size_t checksum = 0;
  size_t occurrences = 0;
};

struct Subdivision {
  std::string country;
  std::string path;
};

// The 16 German states and the 26 Swiss cantons.
std::vector<Subdivision> Subdivisions() {
  std::vector<Subdivision> subdivisions;
  for (const std::string_view path : data::RegionTable) {
    if (data::RegionDepth(path) != 1) continue;
    const std::string_view country = data::RegionCountry(path);
    if (country != "Deutschland" && country != "Schweiz") continue;
    subdivisions.push_back({std::string(country), std::string(path)});
  }
  return subdivisions;
}

constexpr int kYears = kLastRunYear - kFirstRunYear + 1;

void RunAll(benchmark::State& state, bool fresh_run_each_time, bool current_law = false) {
  const std::vector<Subdivision> subdivisions = Subdivisions();
  if (subdivisions.size() != 42) state.SkipWithError("expected 16 states and 26 cantons");
  dialog::clsLangSetter texts;
  texts.LanguageID = 1033;
  RunSelection selection;  // no host: listing only
  selection.first_year = "1984";
  selection.last_year = "2049";
  selection.language = data::kEnglish;
  selection.banner_title = "Feriant";
  selection.success_add_message = selection.success_remove_message = "%1 %2";
  testing::RecordingDialog dialog;
  dialog.recording = false;
  ListingObserver observer;
  RunCaches caches;  // the driver's, as the dialog keeps them while it is open
  HolidayRun kept_run(dialog, texts, nullptr, &caches);
  kept_run.SetObserver(&observer);
  kept_run.SetCurrentLaw(current_law);

  for (auto _ : state) {
    for (const Subdivision& subdivision : subdivisions) {
      selection.country = subdivision.country;
      selection.ticked_keys = {subdivision.country, subdivision.path};
      if (fresh_run_each_time) {
        HolidayRun run(dialog, texts, nullptr, &caches);
        run.SetObserver(&observer);
        run.SetCurrentLaw(current_law);
        run.ProcessHolidays(selection);
      } else {
        kept_run.ProcessHolidays(selection);
      }
    }
    benchmark::DoNotOptimize(observer.checksum);
  }
  if (dialog.ErrorCount() != 0) state.SkipWithError("the run reported errors");

  const double per_iteration = static_cast<double>(subdivisions.size() * kYears);
  state.counters["per_subdivision_year"] = benchmark::Counter(
      per_iteration, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["occurrences_per_subdivision_year"] =
      static_cast<double>(observer.occurrences) /
      (per_iteration * static_cast<double>(state.iterations()));
}

// The dialog keeps one run object for as long as it is open.
void BM_PeerWorkload(benchmark::State& state) {
  RunAll(state, false);
}
BENCHMARK(BM_PeerWorkload)->Unit(benchmark::kMillisecond);

// Every subdivision on a run object of its own: only the driver's caches are carried over.
void BM_PeerWorkloadFreshRuns(benchmark::State& state) {
  RunAll(state, true);
}
BENCHMARK(BM_PeerWorkloadFreshRuns)->Unit(benchmark::kMillisecond);

// The same with the law as it stands in each year.
void BM_PeerWorkloadCurrentLaw(benchmark::State& state) {
  RunAll(state, false, true);
}
BENCHMARK(BM_PeerWorkloadCurrentLaw)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace feriant::engine

BENCHMARK_MAIN();

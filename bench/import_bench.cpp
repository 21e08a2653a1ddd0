// Importing into and removing from a large calendar, against what libical alone needs to
// read and write the same file. The calendar holds 20,000 unrelated events (timed ones in
// Europe/Berlin, all-day ones, some weekly or yearly, some with alarms and long
// descriptions); the run imports every region of Schweiz for 1984 to 2049 through the
// holiday run, the Outlook target and the calendar store, including the save, and then
// removes them again. Each iteration works on a fresh copy of the file; the copying is
// not timed. The floor to compare them with is CalendarFloorImport and
// CalendarFloorRemove (libical's parse of the input, its serialisation of the output and
// the same safe replacement); CalendarLibicalReadWrite, a plain read and write back, is
// kept for comparison with earlier figures. ListIcs: `feriant list --format ics` against
// libical serialising the same calendar; 20 iterations each, as a run of the program
// takes milliseconds and a virtual machine's neighbours can slow any single one.
//
// Run: build/bench/feriant_bench --benchmark_filter='Calendar|ListIcs'

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <libical/ical.h>
#include <unistd.h>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/dialog/region_tree.h"
#include "addin/engine/holiday_run.h"
#include "addin/engine/host_kind.h"
#include "addin/engine/targets/outlook_target.h"
#include "hosts/outlook/outlook.h"
#include "platform/base/file.h"
#include "tests/support/recording_dialog.h"

namespace feriant::engine {
namespace {

namespace fs = std::filesystem;

constexpr int kEvents = 20000;

struct ComponentFree {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentFree>;

std::string TwoDigits(int value) {
  return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

// A calendar a busy person's program might have written over a few years.
std::string GenerateCalendar() {
  std::string text =
      "BEGIN:VCALENDAR\r\nPRODID:-//Example//Generated//EN\r\nVERSION:2.0\r\n"
      "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\n"
      "TZOFFSETTO:+0200\r\nTZNAME:CEST\r\nDTSTART:19700329T020000\r\n"
      "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
      "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\nDTSTART:19701025T030000\r\n"
      "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
  std::uint32_t state = 12345;
  const auto next = [&state](std::uint32_t bound) {
    state = state * 1664525u + 1013904223u;  // a linear congruential generator
    return (state >> 8) % bound;
  };
  for (int i = 0; i < kEvents; ++i) {
    const int year = 2000 + static_cast<int>(next(30));
    const int month = 1 + static_cast<int>(next(12));
    const int day = 1 + static_cast<int>(next(28));
    const std::string date = std::to_string(year) + TwoDigits(month) + TwoDigits(day);
    text += "BEGIN:VEVENT\r\nUID:generated-" + std::to_string(i) +
            "@example.org\r\nDTSTAMP:20240101T120000Z\r\nCREATED:20240101T120000Z\r\n"
            "SUMMARY:Termin " +
            std::to_string(i) + " mit Kunde " + std::to_string(next(500)) + "\r\n";
    const std::uint32_t kind = next(20);
    if (kind < 5) {  // all-day
      text += "DTSTART;VALUE=DATE:" + date + "\r\nDTEND;VALUE=DATE:" + date + "\r\n";
      text += "TRANSP:TRANSPARENT\r\n";
    } else {
      const int hour = 7 + static_cast<int>(next(12));
      text += "DTSTART;TZID=Europe/Berlin:" + date + "T" + TwoDigits(hour) + "3000\r\n";
      text += "DTEND;TZID=Europe/Berlin:" + date + "T" + TwoDigits(hour + 1) + "1500\r\n";
    }
    if (kind == 6) text += "RRULE:FREQ=WEEKLY;COUNT=10;BYDAY=TU\r\n";
    if (kind == 7) text += "RRULE:FREQ=YEARLY\r\n";
    if (next(3) == 0) text += "LOCATION:Besprechungsraum " + std::to_string(next(40)) + "\r\n";
    if (next(2) == 0) {
      text +=
          "DESCRIPTION:Tagesordnung: Stand der Arbeiten\\, offene Punkte\\, n\xc3\xa4"
          "chste Schritte.\\nBitte die Unterlagen vorher lesen und Fragen sammeln\r\n"
          " \\, damit die Besprechung kurz bleibt.\r\n";
    }
    if (next(4) == 0) text += "CATEGORIES:Arbeit\r\n";
    if (next(3) == 0) {
      text +=
          "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=DURATION:-PT15M\r\n"
          "DESCRIPTION:Erinnerung\r\nEND:VALARM\r\n";
    }
    text += "END:VEVENT\r\n";
  }
  text += "END:VCALENDAR\r\n";
  return text;
}

// The benchmark's files, in a directory of their own, removed at exit.
struct Files {
  fs::path dir;
  fs::path generated;  // the 20,000 events
  fs::path imported;   // the same with Schweiz imported, made by the first import
  fs::path work;       // what an iteration works on

  Files() {
    dir = fs::temp_directory_path() / ("feriant_import_bench_" + std::to_string(getpid()));
    fs::create_directories(dir);
    generated = dir / "generated.ics";
    imported = dir / "imported.ics";
    work = dir / "work.ics";
    if (!base::WriteFileAtomically(generated, GenerateCalendar())) std::abort();
  }
  ~Files() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
};

Files& BenchFiles() {
  static Files files;
  return files;
}

void CopyFile(const fs::path& from, const fs::path& to) {
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

// One whole run on `file`, as `feriant import|remove --all-regions` does it; returns the
// counters, or -1 after an error.
std::int64_t RunOn(const fs::path& file, bool removal) {
  data::InitHolidayData();
  dialog::clsLangSetter texts;
  texts.LanguageID = 1033;
  dialog::RegionTree tree = dialog::RegionTree::Build("Schweiz", kHostOutlook, texts);
  tree.SelectAll();
  // Every region of Schweiz ticked, 1984 to 2049, English.
  RunSelection selection;
  selection.host = kHostOutlook;
  selection.country = "Schweiz";
  selection.ticked_keys = tree.TickedKeys();
  selection.first_year = "1984";
  selection.last_year = "2049";
  selection.language = data::kEnglish;
  selection.is_removal = removal;
  selection.banner_title = "Feriant";
  selection.success_add_message = selection.success_remove_message = "%1 %2";
  testing::RecordingDialog dialog;
  dialog.recording = false;
  const std::shared_ptr<automation::Dispatch> application = outlook::CreateOutlookApplication(file);
  if (!outlook::OpenCalendar(*application)) return -1;
  OutlookTarget target(application);
  HolidayRun run(dialog, texts, &target);
  run.ProcessHolidays(selection);
  if (dialog.ErrorCount() > 0 || outlook::HasUnsavedChanges(*application)) return -1;
  return removal ? run.RemovedCount() : run.AddedCount();
}

void BM_CalendarLibicalReadWrite(benchmark::State& state) {
  Files& files = BenchFiles();
  for (auto _ : state) {
    Result<std::string> text = base::ReadFile(files.generated);
    // A skipped iteration must leave the loop itself: SkipWithError only marks it.
    if (!text) {
      state.SkipWithError("cannot read the calendar");
      break;
    }
    ComponentPtr calendar(icalparser_parse_string(text->c_str()));
    if (calendar == nullptr) {
      state.SkipWithError("libical cannot parse the calendar");
      break;
    }
    // icalcomponent_as_ical_string hands the caller a buffer of libical's own ring.
    const char* written = icalcomponent_as_ical_string(calendar.get());
    std::FILE* out = std::fopen(files.work.c_str(), "wb");
    if (out == nullptr) {
      state.SkipWithError("cannot write the calendar");
      break;
    }
    std::fputs(written, out);
    std::fclose(out);
    benchmark::DoNotOptimize(written);
  }
}
BENCHMARK(BM_CalendarLibicalReadWrite)->Unit(benchmark::kMillisecond)->Iterations(5);

// The floor any correct import or removal stands on: read the calendar and parse it with
// libical, serialise the calendar the run leaves (parsed beforehand, outside the timing)
// and replace the file as every writer here does (lock, re-read and compare, temporary
// file, fsync, rename). `removal` false: the input is the generated calendar and the
// output the imported one; true: the other way round.
void CalendarFloor(benchmark::State& state, bool removal) {
  Files& files = BenchFiles();
  if (!fs::exists(files.imported)) {
    CopyFile(files.generated, files.imported);
    if (RunOn(files.imported, false) <= 0) {
      state.SkipWithError("the import failed");
      return;
    }
  }
  const fs::path& input = removal ? files.imported : files.generated;
  Result<std::string> output_text = base::ReadFile(removal ? files.generated : files.imported);
  if (!output_text) {
    state.SkipWithError("cannot read the output calendar");
    return;
  }
  const ComponentPtr output(icalparser_parse_string(output_text->c_str()));
  if (output == nullptr) {
    state.SkipWithError("libical cannot parse the output calendar");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    CopyFile(input, files.work);
    state.ResumeTiming();
    bool parsed = false;
    const Result<base::Replaced> replaced = base::ReplaceFile(
        files.work,
        [&](const base::CurrentContent& current) -> Result<std::optional<std::string_view>> {
          const ComponentPtr calendar(icalparser_parse_string(current ? current->c_str() : ""));
          parsed = calendar != nullptr;
          // A buffer of libical's own ring, valid until its next few calls.
          return std::optional<std::string_view>(icalcomponent_as_ical_string(output.get()));
        });
    if (!replaced || !parsed) {
      state.SkipWithError("the floor's read, parse or write failed");
      break;
    }
  }
}

void BM_CalendarFloorImport(benchmark::State& state) {
  CalendarFloor(state, false);
}
BENCHMARK(BM_CalendarFloorImport)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CalendarFloorRemove(benchmark::State& state) {
  CalendarFloor(state, true);
}
BENCHMARK(BM_CalendarFloorRemove)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CalendarImportSchweiz(benchmark::State& state) {
  Files& files = BenchFiles();
  std::int64_t added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CopyFile(files.generated, files.work);
    state.ResumeTiming();
    added = RunOn(files.work, false);
    if (added <= 0) {
      state.SkipWithError("the import failed");
      break;
    }
  }
  // Only a calendar that was imported into serves the removal.
  if (added > 0) CopyFile(files.work, files.imported);
  state.counters["added"] = static_cast<double>(added);
}
BENCHMARK(BM_CalendarImportSchweiz)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CalendarRemoveSchweiz(benchmark::State& state) {
  Files& files = BenchFiles();
  if (!fs::exists(files.imported)) {
    CopyFile(files.generated, files.imported);
    if (RunOn(files.imported, false) <= 0) state.SkipWithError("the import failed");
  }
  std::int64_t removed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CopyFile(files.imported, files.work);
    state.ResumeTiming();
    removed = RunOn(files.work, true);
    if (removed <= 0) {
      state.SkipWithError("the removal failed");
      break;
    }
  }
  state.counters["removed"] = static_cast<double>(removed);
}
BENCHMARK(BM_CalendarRemoveSchweiz)->Unit(benchmark::kMillisecond)->Iterations(5);

// `feriant list --format ics` for every region of Schweiz, 1984 to 2049, to standard
// output (here /dev/null), the whole program from its start; against libical serialising
// the same calendar (parsed beforehand) and writing it to the same place.
constexpr const char* kListIcs =
    "list --country CH --all-regions --from 1984 --to 2049 --format ics >/dev/null 2>&1";

void BM_ListIcsSchweiz(benchmark::State& state) {
  const std::string command = std::string("'") + FERIANT_PROGRAM + "' " + kListIcs;
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("feriant list failed");
      break;
    }
  }
}
BENCHMARK(BM_ListIcsSchweiz)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ListIcsLibicalSerialise(benchmark::State& state) {
  Files& files = BenchFiles();
  const fs::path listed = files.dir / "listed.ics";
  const std::string command = std::string("'") + FERIANT_PROGRAM + "' " +
                              std::string(kListIcs).replace(std::string(kListIcs).find("/dev/null"),
                                                            9, "'" + listed.string() + "'");
  if (std::system(command.c_str()) != 0) {
    state.SkipWithError("feriant list failed");
    return;
  }
  const Result<std::string> text = base::ReadFile(listed);
  const ComponentPtr calendar(text ? icalparser_parse_string(text->c_str()) : nullptr);
  if (calendar == nullptr) {
    state.SkipWithError("no listed calendar to serialise");
    return;
  }
  for (auto _ : state) {
    std::FILE* out = std::fopen("/dev/null", "wb");
    const char* written = icalcomponent_as_ical_string(calendar.get());
    std::fputs(written, out);
    std::fclose(out);
  }
}
BENCHMARK(BM_ListIcsLibicalSerialise)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace feriant::engine

#pragma once
// What the feriant commands share: usage errors, the clock a command may be told to
// pretend, the host's user-interface language, and the selection a run reads of the
// dialog (country, ticked regions, years, language) built from command-line options as
// the dialog would build it from clicks.
//
// Plain functions; the results belong to the caller. One thread.

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "addin/dialog/cls_lang_setter.h"
#include "addin/engine/run_selection.h"
#include "apps/feriant/console_dialog.h"
#include "platform/base/result.h"
#include "platform/base/text.h"

namespace feriant::cli {

using engine::RunSelection;

// The dialog choices a run is started with, as typed.
struct SelectionOptions {
  std::string country;
  std::vector<std::string> regions;  // region paths to tick
  bool all_regions = false;
  std::optional<std::string> from;  // years as typed; none for the current year
  std::optional<std::string> to;
  std::optional<std::string> years;     // how many years from the first, as typed
  std::optional<std::string> language;  // a language's name; none for the preselected one
  // --current-law or --no-current-law; none to follow the per-user setting.
  std::optional<bool> current_law;
};

// When the years of `selection` reach outside the years a run processes, the note that
// says which years it processes instead; empty otherwise.
std::string YearRangeNote(const RunSelection& selection);

// Prints "feriant <command>: <message>" on `err` and returns kExitUsage.
int UsageError(std::ostream& err, std::string_view command, std::string_view message);

// An Error that carries a usage message.
Error Usage(std::string message);

// A whole decimal number as options and variables give it: "+" or "-", nothing around.
using base::ParseWholeNumber;

// Makes the process clock stand at 00:00 local time of `today` ("YYYY-MM-DD") when it
// is given; a text that is no such date is a usage error naming `--today`.
[[nodiscard]] Status SetToday(const std::optional<std::string>& today);

// The user-interface language (LanguageID) a host with user-interface locale `lcid`
// gives the add-in at connection.
std::int16_t HostLanguageID(std::int32_t lcid);

// The title of the dialog's banner in the current language of `texts`.
std::string BannerTitle(const dialog::clsLangSetter& texts);

// The item data of the language item the dialog preselects for the user-interface
// language of `texts`; none when no offered language has it.
std::optional<std::int32_t> PreselectedLanguageItemData(const dialog::clsLangSetter& texts);

// The selection the dialog would hand the run: `options.country` must be one of
// `countries` (else a usage error listing them, with `country_note` after the first
// line when not empty); the country node is ticked, then every --region with its
// ancestors, or every node with all_regions; years default to this year; the language
// is the named one or the item the dialog preselects for texts.LanguageID. The tree is
// built as in host `host_kind`, the host of the selection. Result texts, banner and
// calendars are left empty.
Result<RunSelection> MakeSelection(const SelectionOptions& options,
                                   std::span<const std::string_view> countries,
                                   std::string_view country_note, std::int32_t host_kind,
                                   const dialog::clsLangSetter& texts);

}  // namespace feriant::cli

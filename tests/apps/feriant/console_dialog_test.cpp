#include "apps/feriant/console_dialog.h"

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/engine/holiday_run.h"
#include "addin/engine/run_selection.h"
#include "apps/feriant/interruption.h"
#include "apps/feriant/progress_line.h"
#include "platform/base/interrupt.h"

namespace feriant::cli {
namespace {

struct Case {
  const char* name;
  std::vector<std::string> ticked;
  const char* first_year;
  const char* last_year;
  std::optional<std::int32_t> language;
  const char* success;   // the host's result text
  bool messages_to_err;  // as with --format jsonl
  bool bad_rule;         // holiday 0 ("Fix 1.1") replaced by a rule that cannot be evaluated
  RunOutcome outcome;
  const char* out;
  const char* err;  // a prefix of standard error; "" for nothing
};

// Runs the real holiday run through the console seam on Liechtenstein, without a host.
TEST(ConsoleDialogTest, PrintsTheRunsMessagesAndTellsHowItEnded) {
  const Case cases[] = {
      {"finished, no result text to show",
       {"Liechtenstein"},
       "2006",
       "2007",
       1,
       "",
       false,
       false,
       RunOutcome::kFinished,
       "",
       ""},
      {"finished with a result text",
       {"Liechtenstein"},
       "2006",
       "2006",
       1,
       "%1 added, %2 changed",
       false,
       false,
       RunOutcome::kFinished,
       "0 added, 0 changed\n",
       ""},
      {"every message on standard error",
       {"Liechtenstein"},
       "2006",
       "2006",
       1,
       "done",
       true,
       false,
       RunOutcome::kFinished,
       "",
       "done\n"},
      {"start behind end",
       {"Liechtenstein"},
       "2010",
       "2006",
       1,
       "done",
       false,
       false,
       RunOutcome::kRefused,
       "",
       "Start Year is behind End year. Please check the range\n"},
      {"no region ticked",
       {},
       "2006",
       "2006",
       1,
       "done",
       false,
       false,
       RunOutcome::kRefused,
       "",
       "No regions selected.\n"},
      {"a year that is no number",
       {"Liechtenstein"},
       "2006",
       "abc",
       1,
       "done",
       false,
       false,
       RunOutcome::kFailed,
       "",
       "ProcessHolidays Error.\nthe year \"abc\" is not a number\n"},
      {"no language chosen",
       {"Liechtenstein"},
       "2006",
       "2006",
       std::nullopt,
       "done",
       false,
       false,
       RunOutcome::kFailed,
       "",
       "ProcessHolidays Error.\nno language is selected\n"},
      // The year ends, the run goes on and shows its result; the error still counts.
      {"a rule that cannot be evaluated",
       {"Liechtenstein"},
       "2006",
       "2006",
       1,
       "done",
       false,
       true,
       RunOutcome::kFailed,
       "done\n",
       "frmAddIn.ProcessHolidaysOfYear Error.\n"},
  };
  data::InitHolidayData();
  std::array<std::string_view, data::kRuleCount> rules = data::RuleTable;
  rules[0] = "Fix x.1";

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialog::clsLangSetter texts;
    texts.LanguageID = 1033;
    std::ostringstream out;
    std::ostringstream err;
    int flushes = 0;
    engine::RunSelection selection;
    selection.country = "Liechtenstein";
    selection.ticked_keys = c.ticked;
    selection.first_year = c.first_year;
    selection.last_year = c.last_year;
    selection.language = c.language;
    selection.success_add_message = c.success;
    ConsoleDialog console(out, err, c.messages_to_err, [&flushes] { ++flushes; });
    engine::HolidayRun run(console, texts);
    if (c.bad_rule) run.SetRules(rules);
    run.ProcessHolidays(selection);

    EXPECT_EQ(console.Outcome(), c.outcome);
    EXPECT_EQ(out.str(), c.out);
    const std::string expected_err = c.err;
    EXPECT_EQ(err.str().substr(0, expected_err.size()), expected_err) << err.str();
    if (expected_err.empty()) {
      EXPECT_EQ(err.str(), "");
    }
    // Held-back output comes out before each message that is printed.
    const auto lines = [](const std::string& text) {
      return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    };
    const int printed = lines(out.str()) + lines(err.str());
    EXPECT_EQ(flushes > 0, printed > 0) << flushes << " flushes, " << printed << " lines";
    EXPECT_EQ(texts.LanguageID, 1033);  // the run gives the host's language back
  }
}

// The progress of a real run on a terminal: drawn while busy, erased before the result
// is printed on the same terminal; a held result comes out only when asked for.
TEST(ConsoleDialogTest, ShowsProgressAndHoldsTheResultForTheDriver) {
  struct ProgressCase {
    const char* name;
    const char* last_year;
    bool hold;
    // What the terminal (both streams and the progress line) shows after the run, and
    // after PrintHeldResult.
    std::vector<std::string> during;  // parts, in this order
    std::string result;               // printed by PrintHeldResult
  };
  const ProgressCase cases[] = {
      {"printed at once",
       "2007",
       false,
       {"\rProcessing holidays of 2006... [", "\rProcessing holidays of 2007... [", "\r\x1b[K",
        "0 added\n"},
       ""},
      {"held back until the driver saved",
       "2007",
       true,
       {"\rProcessing holidays of 2006... [", "\rProcessing holidays of 2007... [", "\r\x1b[K"},
       "0 added\n"},
      {"a refusal is never held",
       "2005",
       true,
       {"Start Year is behind End year. Please check the range\n"},
       ""},
  };
  data::InitHolidayData();
  for (const ProgressCase& c : cases) {
    SCOPED_TRACE(c.name);
    dialog::clsLangSetter texts;
    texts.LanguageID = 1033;
    std::ostringstream terminal;
    engine::RunSelection selection;
    selection.country = "Liechtenstein";
    selection.ticked_keys = {"Liechtenstein"};
    selection.first_year = "2006";
    selection.last_year = c.last_year;
    selection.language = 1;
    selection.success_add_message = "%1 added";
    ConsoleDialog console(terminal, terminal, false);
    ProgressLine progress(terminal);
    console.SetProgressDisplay(&progress);
    if (c.hold) console.HoldResult();
    engine::HolidayRun run(console, texts);
    run.ProcessHolidays(selection);

    const std::string shown = terminal.str();
    size_t at = 0;
    for (const std::string& part : c.during) {
      const size_t found = shown.find(part, at);
      ASSERT_NE(found, std::string::npos) << "\"" << part << "\" in order in\n" << shown;
      at = found + part.size();
    }
    EXPECT_EQ(shown.substr(at), "") << "nothing after the last part";
    EXPECT_EQ(console.HasHeldResult(), !c.result.empty());
    console.PrintHeldResult();
    EXPECT_EQ(terminal.str().substr(shown.size()), c.result);
    EXPECT_FALSE(console.HasHeldResult());
  }
}

// A run is left at its next progress step or error box after an interrupt, before it has
// saved anything; a run that was not interrupted goes on.
TEST(ConsoleDialogTest, AnInterruptEndsTheRunAtItsNextStepOrErrorBox) {
  const engine::MessageBoxRequest error_box{"HandleDate Error.",
                                            engine::MessageIcon::kCritical,
                                            engine::MessageButtons::kOk,
                                            "Feriant",
                                            {}};
  for (const bool at_error : {false, true}) {
    SCOPED_TRACE(at_error ? "error box" : "progress step");
    EXPECT_EXIT(
        {
          ConsoleDialog dialog(std::cout, std::cerr, false);
          dialog.SetProgressValue(1984);  // no interrupt yet
          base::InstallInterruptHandlers();
          std::raise(SIGTERM);
          if (at_error) {
            dialog.ShowMessage(error_box);
          } else {
            dialog.SetProgressValue(1985);
          }
          std::_Exit(0);
        },
        ::testing::ExitedWithCode(143), "^interrupted, nothing was saved\n$");
  }
}

}  // namespace
}  // namespace feriant::cli

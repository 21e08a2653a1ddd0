// list --format ics: the calendar an import of the selection into an empty calendar
// writes, on standard output. The import itself writes it, into a new file in a private
// temporary folder, so that the export can never differ from what an import enters.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "addin/data/holiday_data.h"
#include "apps/feriant/commands.h"
#include "apps/feriant/interruption.h"
#include "apps/feriant/region_finder.h"

namespace feriant::cli {
namespace {

namespace fs = std::filesystem;

// A folder only this process uses, removed with everything in it.
class PrivateFolder {
 public:
  PrivateFolder() {
    std::error_code error;
    std::string pattern = (fs::temp_directory_path(error) / "feriant-export-XXXXXX").string();
    if (error) pattern = "/tmp/feriant-export-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    RemoveFolderOnInterrupt(path_.string());
  }
  ~PrivateFolder() {
    RemoveFolderOnInterrupt({});
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  const fs::path& path() const { return path_; }  // empty when it could not be made

 private:
  fs::path path_;
};

}  // namespace

int RunCalendarExport(const ListOptions& options, std::ostream& out, std::ostream& err) {
  const PrivateFolder folder;
  if (folder.path().empty()) {
    err << "feriant list: no temporary folder could be made for the calendar (TMPDIR)\n";
    return kExitFailed;
  }
  ImportOptions import;
  import.selection = options.selection;
  import.calendar = (folder.path() / "holidays.ics").string();
  // An import offers the World Cup only until its final; a listing offers it always, and
  // its matches are those of 2006 whatever the date.
  if (FindCountry(options.selection.country) == data::kWorldCupCountry) import.today = "2006-07-09";
  // The import's own report ("... holidays were added") is no part of the calendar.
  std::ostringstream report;
  const int status = RunImport(import, report, err);
  if (status != kExitOk) {
    err << report.str();
    return status;
  }
  std::ifstream calendar(*import.calendar, std::ios::binary);
  if (!calendar) {
    err << "feriant list: the calendar was not written\n";
    return kExitFailed;
  }
  out << calendar.rdbuf();
  return kExitOk;
}

}  // namespace feriant::cli

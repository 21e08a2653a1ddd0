#pragma once
// What a host shell remembers between runs for the person who runs it: the calendar or
// project it showed last (a file's absolute path, or a URL) and where its window stood.
// Kept per program in the user's XDG state directory,
// $XDG_STATE_HOME/feriant/<program>.json (~/.local/state when the variable is unset or
// not an absolute path), not in the per-user registry, which belongs to the add-ins and
// the controls:
//
//   {
//     "location": "/home/anna/holidays.ics",
//     "window": {"x": 80, "y": 60, "width": 900, "height": 600, "maximized": false}
//   }
//
// Written with base::ReplaceFile, so atomically and under the file's lock; members this
// version does not know are kept, and a state equal to the stored one writes nothing. A
// file that is not such an object is reported and never written over. One thread.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/result.h"

class QWidget;

namespace feriant::host_shell {

// A window on the virtual desktop, in device-independent pixels: where its frame's top
// left corner stands, and the size of what lies inside the frame.
struct WindowPlacement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool maximized = false;
  friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

struct ShellState {
  std::string location;  // empty: nothing was opened yet
  std::optional<WindowPlacement> window;
  friend bool operator==(const ShellState&, const ShellState&) = default;
};

// $XDG_STATE_HOME when it is an absolute path, else $HOME/.local/state; read at each call.
std::filesystem::path UserStateDir();
// UserStateDir()/feriant/<program>.json.
std::filesystem::path ShellStateFile(std::string_view program);

// The state stored in `file`; an empty state when there is none. A damaged file (not
// JSON, or a member of the wrong type or out of range) is an error of kind kDamaged that
// names it.
Result<ShellState> ReadShellState(const std::filesystem::path& file);
// Stores `state` in `file`, creating its folder.
Status WriteShellState(const std::filesystem::path& file, const ShellState& state);

// Where `window` stands now (its normal frame when it is maximized).
WindowPlacement PlacementOf(const QWidget& window);
// Moves and sizes `window` as `placement` says, within the screens there are now: a frame
// that lies on no screen keeps its size but not its position, and is made no larger than
// the screen it is shown on.
void Restore(QWidget& window, const WindowPlacement& placement);

}  // namespace feriant::host_shell

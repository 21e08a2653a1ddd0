#include "apps/host-shell/shell_state.h"

#include <cstdlib>
#include <limits>
#include <system_error>

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <nlohmann/json.hpp>

#include "platform/base/file.h"

namespace feriant::host_shell {
namespace {

using Json = nlohmann::ordered_json;

// What a frame may measure, in pixels: more is damage, not a window.
constexpr int kMaxExtent = 1 << 16;
// A state file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxStateBytes = std::size_t{1} << 20;

Error Damaged(const std::filesystem::path& file, std::string_view what) {
  return ErrorOf(ErrorKind::kDamaged,
                 file.string() + " is not a Feriant state file: " + std::string(what));
}

Result<Json> ParseObject(const std::string& text, const std::filesystem::path& file) {
  Json json = Json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (json.is_discarded() || !json.is_object()) return Damaged(file, "not a JSON object");
  return json;
}

std::optional<int> Coordinate(const Json& window, const char* name, int low) {
  const auto member = window.find(name);
  if (member == window.end() || !member->is_number_integer()) return std::nullopt;
  const auto value = member->get<std::int64_t>();
  if (value < low || value > kMaxExtent) return std::nullopt;
  return static_cast<int>(value);
}

Result<ShellState> StateOf(const Json& json, const std::filesystem::path& file) {
  ShellState state;
  if (const auto location = json.find("location"); location != json.end()) {
    if (!location->is_string()) return Damaged(file, "\"location\" is not a text");
    state.location = location->get<std::string>();
  }
  if (const auto window = json.find("window"); window != json.end()) {
    if (!window->is_object()) return Damaged(file, "\"window\" is not an object");
    const auto x = Coordinate(*window, "x", -kMaxExtent);
    const auto y = Coordinate(*window, "y", -kMaxExtent);
    const auto width = Coordinate(*window, "width", 1);
    const auto height = Coordinate(*window, "height", 1);
    const auto maximized = window->find("maximized");
    if (!x || !y || !width || !height || maximized == window->end() || !maximized->is_boolean())
      return Damaged(file, "\"window\" needs x, y, width, height and maximized");
    state.window = WindowPlacement{*x, *y, *width, *height, maximized->get<bool>()};
  }
  return state;
}

}  // namespace

std::filesystem::path UserStateDir() {
  const char* state_home = std::getenv("XDG_STATE_HOME");
  if (state_home != nullptr && state_home[0] == '/') return state_home;
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : "") / ".local" / "state";
}

std::filesystem::path ShellStateFile(std::string_view program) {
  return UserStateDir() / "feriant" / (std::string(program) + ".json");
}

Result<ShellState> ReadShellState(const std::filesystem::path& file) {
  auto text = base::ReadFile(file, kMaxStateBytes);
  if (!text) {
    if (text.error().kind == ErrorKind::kNotFound) return ShellState{};
    return text.error();
  }
  auto json = ParseObject(*text, file);
  if (!json) return json.error();
  return StateOf(*json, file);
}

Status WriteShellState(const std::filesystem::path& file, const ShellState& state) {
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (error) return base::SystemError(error.value(), "cannot create", file.parent_path());
  std::string text;
  base::ReplaceOptions options;
  options.max_bytes = kMaxStateBytes;
  const Result<base::Replaced> replaced = base::ReplaceFile(
      file,
      [&](const base::CurrentContent& current) -> Result<std::optional<std::string_view>> {
        Json json = Json::object();
        if (current) {
          auto stored = ParseObject(*current, file);
          if (!stored) return stored.error();
          const auto known = StateOf(*stored, file);
          if (!known) return known.error();
          if (*known == state) return std::optional<std::string_view>(*current);
          json = std::move(*stored);
        }
        json["location"] = state.location;
        if (state.window) {
          const WindowPlacement& window = *state.window;
          json["window"] = Json{{"x", window.x},
                                {"y", window.y},
                                {"width", window.width},
                                {"height", window.height},
                                {"maximized", window.maximized}};
        } else {
          json.erase("window");
        }
        text = json.dump(2) + "\n";
        return std::optional<std::string_view>(text);
      },
      options);
  if (!replaced) return replaced.error();
  // Another program wrote the state meanwhile: ours is stored, theirs kept beside it.
  if (replaced->displaced)
    return ErrorOf(ErrorKind::kConflict, base::DisplacedMessage(file, *replaced->displaced));
  return Ok();
}

WindowPlacement PlacementOf(const QWidget& window) {
  if (window.isMaximized()) {
    const QRect normal = window.normalGeometry();
    return {normal.x(), normal.y(), normal.width(), normal.height(), true};
  }
  return {window.x(), window.y(), window.width(), window.height(), false};
}

void Restore(QWidget& window, const WindowPlacement& placement) {
  const QRect frame(placement.x, placement.y, placement.width, placement.height);
  QScreen* screen = QGuiApplication::screenAt(frame.center());
  const bool on_a_screen = screen != nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  QSize size = frame.size();
  if (screen != nullptr) size = size.boundedTo(screen->availableGeometry().size());
  window.resize(size);
  if (on_a_screen) window.move(frame.topLeft());
  if (placement.maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

}  // namespace feriant::host_shell

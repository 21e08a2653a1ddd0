#include "platform/ui/core/headless_backend.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/core/control.h"
#include "platform/ui/core/form.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::ui {
namespace {

// The classic Windows scheme, by system colour index.
constexpr struct {
  int index;
  OleColor rgb;
} kClassicScheme[] = {
    {0, Rgb(212, 208, 200)},   // scroll bar
    {1, Rgb(58, 110, 165)},    // desktop
    {2, Rgb(10, 36, 106)},     // active caption
    {3, Rgb(128, 128, 128)},   // inactive caption
    {4, Rgb(212, 208, 200)},   // menu
    {5, Rgb(255, 255, 255)},   // window background
    {6, Rgb(0, 0, 0)},         // window frame
    {7, Rgb(0, 0, 0)},         // menu text
    {8, Rgb(0, 0, 0)},         // window text
    {9, Rgb(255, 255, 255)},   // caption text
    {10, Rgb(212, 208, 200)},  // active border
    {11, Rgb(212, 208, 200)},  // inactive border
    {12, Rgb(128, 128, 128)},  // application workspace
    {13, Rgb(10, 36, 106)},    // highlight
    {14, Rgb(255, 255, 255)},  // highlight text
    {15, Rgb(212, 208, 200)},  // button face
    {16, Rgb(128, 128, 128)},  // button shadow
    {17, Rgb(128, 128, 128)},  // grey text
    {18, Rgb(0, 0, 0)},        // button text
    {19, Rgb(212, 208, 200)},  // inactive caption text
    {20, Rgb(255, 255, 255)},  // button highlight
    {21, Rgb(64, 64, 64)},     // 3-D dark shadow
    {22, Rgb(212, 208, 200)},  // 3-D light
    {23, Rgb(0, 0, 0)},        // tooltip text
    {24, Rgb(255, 255, 225)},  // tooltip background
    {26, Rgb(0, 0, 128)},      // hot-tracked item
    {27, Rgb(166, 202, 240)},  // gradient active caption
    {28, Rgb(192, 192, 192)},  // gradient inactive caption
};

size_t CountCodePoints(std::string_view text) {
  size_t count = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

int PixelsFromPoints(double points, double factor) {
  return std::max(1, static_cast<int>(std::lround(points * factor)));
}

std::string HostLabel(ControlHost& host) {
  return host.HostName();
}

std::string ControlLabel(Control& control) {
  std::string label = control.Name();
  if (control.Index() >= 0) label += "(" + std::to_string(control.Index()) + ")";
  return label;
}

}  // namespace

HeadlessBackend::HeadlessBackend() {
  for (const auto& entry : kClassicScheme)
    system_colors_[entry.index] = entry.rgb;
}

HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::SetTwipsPerPixel(int x, int y) {
  twips_per_pixel_x_ = std::max(1, x);
  twips_per_pixel_y_ = std::max(1, y);
}

void HeadlessBackend::SetSystemColor(int index, OleColor rgb) {
  system_colors_[index] = rgb & 0x00FFFFFFu;
}

void HeadlessBackend::SetTextWidth(std::string text, int twips, std::string font_name) {
  text_widths_[{std::move(font_name), std::move(text)}] = twips;
}

OleColor HeadlessBackend::SystemColor(int index) const {
  auto it = system_colors_.find(index);
  return it != system_colors_.end() ? it->second : 0;
}

int HeadlessBackend::LineHeight(const FontDesc& font) const {
  if (line_height_ > 0) return line_height_;
  return PixelsFromPoints(font.Points(), 1.6) * twips_per_pixel_y_;
}

int HeadlessBackend::LineWidth(const FontDesc& font, std::string_view line) const {
  auto exact = text_widths_.find({font.name, std::string(line)});
  if (exact == text_widths_.end()) exact = text_widths_.find({std::string(), std::string(line)});
  if (exact != text_widths_.end()) return exact->second;
  const int per_char =
      char_width_ > 0 ? char_width_ : PixelsFromPoints(font.Points(), 0.6) * twips_per_pixel_x_;
  return static_cast<int>(CountCodePoints(line)) * per_char;
}

int HeadlessBackend::TextWidth(const FontDesc& font, std::string_view text) const {
  auto exact = text_widths_.find({font.name, std::string(text)});
  if (exact == text_widths_.end()) exact = text_widths_.find({std::string(), std::string(text)});
  if (exact != text_widths_.end()) return exact->second;
  int widest = 0;
  for (std::string_view line : SplitLines(text))
    widest = std::max(widest, LineWidth(font, line));
  return widest;
}

int HeadlessBackend::TextHeight(const FontDesc& font, std::string_view text) const {
  return static_cast<int>(SplitLines(text).size()) * LineHeight(font);
}

int HeadlessBackend::WrappedTextHeight(const FontDesc& font, std::string_view text,
                                       int width) const {
  const std::vector<std::string> lines =
      WrapLines(text, width, [&](std::string_view line) { return LineWidth(font, line); });
  return static_cast<int>(lines.size()) * LineHeight(font);
}

MsgBoxResult HeadlessBackend::ShowMessageBox(const MessageBoxRequest& request) {
  boxes_.push_back(request);
  if (answers_.empty()) return request.DefaultAnswer();
  const MsgBoxResult answer = answers_.front();
  answers_.erase(answers_.begin());
  return answer;
}

void HeadlessBackend::SetClipboardText(std::string text) {
  clipboard_text_ = std::move(text);
  clipboard_picture_.reset();
}

void HeadlessBackend::SetClipboardPicture(std::shared_ptr<StdPicture> picture) {
  clipboard_picture_ = picture ? picture->Clone() : nullptr;
  clipboard_text_.clear();
}

void HeadlessBackend::ClearClipboard() {
  clipboard_text_.clear();
  clipboard_picture_.reset();
}

Status HeadlessBackend::ShellExecute(const ShellRequest& request) {
  shell_requests_.push_back(request);
  if (fail_shell_)
    return Error{2, "The system cannot find the file specified: " + request.file, {}};
  return Ok();
}

TimerId HeadlessBackend::StartTimer(std::chrono::milliseconds interval,
                                    std::function<void()> tick) {
  if (interval.count() < 1 || !tick) return 0;
  const TimerId id = next_timer_++;
  timers_[id] =
      Timer{interval, now_ + interval, std::make_shared<std::function<void()>>(std::move(tick))};
  return id;
}

void HeadlessBackend::StopTimer(TimerId id) {
  timers_.erase(id);
}

void HeadlessBackend::Advance(std::chrono::milliseconds by) {
  if (by.count() < 0) return;
  const std::chrono::milliseconds target = now_ + by;
  for (;;) {
    // The timer due first; the lower id (started earlier) wins a tie.
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due <= target && (next == timers_.end() || it->second.due < next->second.due))
        next = it;
    }
    if (next == timers_.end()) break;
    now_ = next->second.due;
    next->second.due += next->second.interval;
    // The handler may stop this or any timer; hold its function while it runs.
    std::shared_ptr<std::function<void()>> tick = next->second.tick;
    (*tick)();
  }
  now_ = target;
}

void HeadlessBackend::RunModal(Form& form) {
  modal_forms_.push_back(form.Name());
  if (modal_handler_) modal_handler_(form);
}

std::vector<int> HeadlessBackend::ShowPopupMenu(const PopupMenuRequest& request) {
  menus_.push_back(request);
  if (menu_choices_.empty()) return {};
  std::vector<int> choice = std::move(menu_choices_.front());
  menu_choices_.erase(menu_choices_.begin());
  // Walk the path; anything the person could not have chosen dismisses the menu.
  const std::vector<MenuEntry>* level = &request.entries;
  for (size_t i = 0; i < choice.size(); ++i) {
    const int position = choice[i];
    if (position < 0 || static_cast<size_t>(position) >= level->size()) return {};
    const MenuEntry& entry = (*level)[static_cast<size_t>(position)];
    if (!entry.visible || !entry.enabled || entry.caption == "-") return {};
    const bool last = i + 1 == choice.size();
    if (last != entry.submenu.empty()) return {};
    level = &entry.submenu;
  }
  return choice;
}

void HeadlessBackend::Record(std::string line) {
  if (recording_) notifications_.push_back(std::move(line));
}

void HeadlessBackend::ControlAdded(ControlHost& host, Control& control) {
  if (recording_) Record("added " + HostLabel(host) + "." + ControlLabel(control));
}

void HeadlessBackend::ControlRemoved(ControlHost& host, Control& control) {
  if (recording_) Record("removed " + HostLabel(host) + "." + ControlLabel(control));
}

void HeadlessBackend::ControlChanged(Control& control, std::string_view property) {
  if (recording_) Record("changed " + ControlLabel(control) + " " + std::string(property));
}

void HeadlessBackend::HostChanged(ControlHost& host, std::string_view property) {
  if (recording_) Record("host " + HostLabel(host) + " " + std::string(property));
}

void HeadlessBackend::RepaintRequested(ControlHost& host) {
  if (recording_) Record("repaint " + HostLabel(host));
}

void HeadlessBackend::FocusChanged(Control& control) {
  if (recording_) Record("focus " + ControlLabel(control));
}

void HeadlessBackend::FormShown(Form& form, bool modal) {
  if (recording_) Record(std::string(modal ? "shown modal " : "shown ") + form.Name());
}

void HeadlessBackend::FormHidden(Form& form) {
  if (recording_) Record("hidden " + form.Name());
}

void HeadlessBackend::FormUnloaded(Form& form) {
  if (recording_) Record("unloaded " + form.Name());
}

void HeadlessBackend::ItemsChanged(Control& control, const ItemChange& change) {
  if (!recording_) return;
  static constexpr const char* kKinds[] = {"inserted", "removed", "changed", "cleared"};
  std::string line = "items " + ControlLabel(control) + " " + kKinds[static_cast<int>(change.kind)];
  if (change.index >= 0) line += " " + std::to_string(change.index);
  // A tree's node by its key.
  if (change.item) {
    if (auto key = change.item->Get("Key"); key && key->AsString() != nullptr)
      line += " " + *key->AsString();
  }
  Record(std::move(line));
}

void HeadlessBackend::RefreshRequested(Control& control) {
  if (recording_) Record("refresh " + ControlLabel(control));
}

}  // namespace feriant::ui

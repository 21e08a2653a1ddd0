#include "platform/ui_qt/key_router.h"

#include <QKeyEvent>
#include <QWidget>

#include "platform/ui/core/input.h"
#include "platform/ui_qt/mirror_widgets.h"

namespace feriant::ui_qt::internal {
namespace {

bool Taken(const Result<bool>& taken) {
  return taken && *taken;
}

}  // namespace

KeyRouter::KeyRouter(Mirror& mirror) : QObject(&mirror.Widget()), mirror_(mirror) {
  mirror.Widget().installEventFilter(this);
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::KeyPress;
  if (watched != &mirror_.Widget() || (!press && event->type() != QEvent::KeyRelease)) return false;
  auto& key = static_cast<QKeyEvent&>(*event);
  std::shared_ptr<ui::Control> control = mirror_.Model();
  if (!control || (!press && key.isAutoRepeat())) return false;
  const int code = KeyCodeOf(key);
  const int shift_state = ShiftStateOf(key.modifiers());
  bool taken = false;
  if (press) {
    if (code != 0) taken = Taken(ui::input::KeyDown(*control, code, shift_state));
    const QString text = key.text();
    // The KeyDown handler may have removed the control.
    control = mirror_.Model();
    if (!taken && control && !text.isEmpty())
      taken = Taken(ui::input::KeyPress(*control, text.at(0).unicode()));
  } else if (code != 0) {
    taken = Taken(ui::input::KeyUp(*control, code, shift_state));
  }
  if (!taken) static_cast<QObject&>(mirror_.Widget()).event(event);
  return true;
}

}  // namespace feriant::ui_qt::internal

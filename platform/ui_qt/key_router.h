#pragma once
// Routes the keys of a mirrored control's widget through the model before the widget
// sees them: a key going down (again with each of Qt's auto-repeat presses) is the
// model's KeyDown, a character its KeyPress, a release its KeyUp (Qt's auto-repeat
// releases are not releases to the model). What the model takes (a handler swallowed it,
// or it pressed a default or cancel control) the widget never sees; anything else the
// widget handles as usual, and it goes no further, since the form has routed it already.
// The user-interface thread only.

#include <QObject>

namespace feriant::ui_qt::internal {

class Mirror;

class KeyRouter final : public QObject {
 public:
  // Watches `mirror`'s widget, whose child it becomes.
  explicit KeyRouter(Mirror& mirror);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Mirror& mirror_;
};

}  // namespace feriant::ui_qt::internal

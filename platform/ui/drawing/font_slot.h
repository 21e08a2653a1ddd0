#pragma once
// FontSlot: how a control holds its Font. The font object is shared (Font get hands out
// the live object; changing it changes the control), and the control hears every change
// through the slot's callback. A control whose font was never set takes a copy of its
// surface's font when it is placed, as controls drawn on a form take the form's font.

#include <functional>
#include <memory>
#include <utility>

#include "platform/ui/drawing/font.h"

namespace feriant::ui {

class FontSlot {
 public:
  explicit FontSlot(std::function<void()> on_change)
      : on_change_(std::move(on_change)), font_(StdFont::Create()) {
    Connect();
  }
  FontSlot(const FontSlot&) = delete;
  FontSlot& operator=(const FontSlot&) = delete;
  ~FontSlot() { font_->Changed().Disconnect(connection_); }

  const std::shared_ptr<StdFont>& Get() const { return font_; }
  const FontDesc& Desc() const { return font_->Desc(); }

  // Shares `font`; nullptr is ignored (a control always has a font).
  void Set(std::shared_ptr<StdFont> font) {
    if (!font || font == font_) return;
    font_->Changed().Disconnect(connection_);
    font_ = std::move(font);
    explicit_ = true;
    Connect();
    on_change_();
  }
  // The surface's font, unless one was set explicitly.
  void Inherit(const FontDesc& desc) {
    if (explicit_) return;
    font_->SetDesc(desc);
  }

 private:
  void Connect() {
    connection_ = font_->Changed().Connect([this] { on_change_(); });
  }

  std::function<void()> on_change_;
  std::shared_ptr<StdFont> font_;
  Event<>::Connection connection_ = 0;
  bool explicit_ = false;
};

}  // namespace feriant::ui

#pragma once
// WhiteTop: the header banner of a dialog, docked to the top edge of its form. A white
// strip with a bold title (lblTitle), a word-wrapped message under it (lblMsg), an
// optional icon at the right (imgIcon, showing RightIcon) and a shadow line two pixels
// above its bottom edge (lineBottom). With AutoSize on, the banner's height follows the
// message: 345 twips below the bottom of lblMsg.
//
// Title and Msg live in the captions of their labels; Font is the live font object of
// lblMsg. The banner owns its constituents; RightIcon is shared with the caller that set
// it. Lengths are twips. The user-interface thread only.

#include <memory>
#include <string>

#include "platform/automation/dispatch.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/line.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/picture.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

class WhiteTop final : public ui::UserControlImpl<WhiteTop> {
 public:
  WhiteTop();

  // _WhiteTop in slot order: AutoSize, Title, Msg (put, get), RightIcon (get, put by
  // reference), Font (get, put by reference).
  static const automation::Members<WhiteTop>& Interface();

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  // Never changes the banner's height.
  const std::string& Title() const { return title_->Caption(); }
  void SetTitle(std::string title);
  const std::string& Msg() const { return msg_->Caption(); }
  void SetMsg(std::string msg);
  // May be null (Nothing) or an empty picture; both mean "no icon".
  const std::shared_ptr<ui::StdPicture>& RightIcon() const { return right_icon_; }
  void SetRightIcon(std::shared_ptr<ui::StdPicture> picture);
  // The live font of lblMsg.
  const std::shared_ptr<ui::StdFont>& MsgFont() const { return msg_->Font(); }
  // Font put: italic, face and size of `font` into lblMsg (regular) and lblTitle (bold).
  // `font` itself is not kept.
  void CopyFont(const ui::StdFont& font);

 protected:
  void OnInitProperties() override;
  void OnReadProperties(ui::PropertyBag& bag) override;
  void OnWriteProperties(ui::PropertyBag& bag) override;
  void OnResize() override;

 private:
  bool HasIcon() const { return right_icon_ && !right_icon_->IsEmpty(); }
  // With AutoSize on: the banner's height becomes lblMsg's bottom + 345.
  void FitHeight();
  // Places the icon, the shadow line and the message for the current extent.
  void Arrange();

  ui::Label* title_ = nullptr;
  ui::Label* msg_ = nullptr;
  ui::Image* icon_ = nullptr;
  ui::Line* line_ = nullptr;
  bool auto_size_ = false;  // until InitNew or Load sets it
  std::shared_ptr<ui::StdPicture> right_icon_;
};

}  // namespace feriant::lumatrel

#include "controls/WhiteTop/white_top.h"

#include <utility>

#include "controls/support/errors.h"
#include "controls/support/identities.h"
#include "platform/ui/common/color.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
namespace ids = white_top::dispid;

// Design geometry, twips.
constexpr int kWidth = 7020;
constexpr int kHeight = 1185;
constexpr int kMsgBottomMargin = 345;  // below lblMsg when AutoSize fits the height
constexpr int kMsgClipMargin = 150;    // below lblMsg when the banner clips it
constexpr int kMsgRightMargin = 150;   // right of lblMsg without an icon
constexpr int kIconGap = 200;          // right of lblMsg beside an icon, plus its width

constexpr ui::OleColor kTitleColor = ui::Rgb(0, 0, 99);

std::shared_ptr<ui::StdFont> DesignFont(bool bold) {
  ui::FontDesc desc;  // MS Sans Serif 8.25
  desc.bold = bold;
  return ui::StdFont::Create(desc);
}

Variant PictureVariant(const std::shared_ptr<ui::StdPicture>& picture) {
  return Variant(automation::ObjectRef(picture));
}

// Face, size and italic flag from the store into `font`, each key on its own: a missing
// or unusable key leaves that attribute as it is. The bold flag is the label's own.
void ReadFont(ui::PropertyBag& bag, ui::StdFont& font, bool bold) {
  if (auto name = bag.ReadProperty("FontName")) {
    if (auto text = name->ToString()) (void)font.SetName(*text);
  }
  if (auto size = bag.ReadProperty("FontSize")) {
    if (auto points = size->ToCurrency()) (void)font.SetSize(*points);
  }
  if (auto italic = bag.ReadProperty("FontItalic")) {
    if (auto flag = italic->ToBool()) font.SetItalic(*flag);
  }
  font.SetBold(bold);
}

}  // namespace

WhiteTop::WhiteTop()
    : UserControlImpl("WhiteTop", white_top::kClassId, white_top::kEventInterfaceId) {
  SetInitialSize(kWidth, kHeight);
  (void)SetBackColor(ui::system_color::kWindowBackground);

  title_ = &Add<ui::Label>("lblTitle");
  title_->SetFont(DesignFont(/*bold=*/true));
  (void)title_->SetForeColor(kTitleColor);
  (void)title_->SetBackStyle(ui::back_style::kOpaque);
  (void)title_->SetBackColor(ui::system_color::kWindowBackground);
  (void)title_->Move(330, 150, 0, 195);
  title_->SetAutoSize(true);

  msg_ = &Add<ui::Label>("lblMsg");
  msg_->SetFont(DesignFont(/*bold=*/false));
  (void)msg_->SetBackStyle(ui::back_style::kTransparent);
  (void)msg_->Move(660, 375, 6015, 195);
  msg_->SetWordWrap(true);
  msg_->SetAutoSize(true);

  icon_ = &Add<ui::Image>("imgIcon");
  (void)icon_->Move(5640, 240, 555, 495);

  line_ = &Add<ui::Line>("lineBottom");
  (void)line_->SetBorderColor(ui::system_color::kButtonShadow);
  line_->SetPoints(0, kHeight - 30, kWidth, kHeight - 30);
}

const automation::Members<WhiteTop>& WhiteTop::Interface() {
  static const automation::Members<WhiteTop> members = [] {
    using ui::members::Getter;
    using ui::members::Setter;
    automation::Members<WhiteTop> m;
    m.Put("AutoSize", ids::kAutoSize, Setter<WhiteTop, bool>(&WhiteTop::SetAutoSize))
        .Get("AutoSize", ids::kAutoSize, Getter<WhiteTop>(&WhiteTop::AutoSize))
        .Put("Title", ids::kTitle, Setter<WhiteTop, std::string>(&WhiteTop::SetTitle))
        .Get("Title", ids::kTitle, Getter<WhiteTop>(&WhiteTop::Title))
        .Put("Msg", ids::kMsg, Setter<WhiteTop, std::string>(&WhiteTop::SetMsg))
        .Get("Msg", ids::kMsg, Getter<WhiteTop>(&WhiteTop::Msg))
        .Get("RightIcon", ids::kRightIcon,
             [](WhiteTop& self, std::span<Variant>) -> Result<Variant> {
               return PictureVariant(self.RightIcon());
             })
        .PutRef("RightIcon", ids::kRightIcon,
                Setter<WhiteTop, std::shared_ptr<ui::StdPicture>>(&WhiteTop::SetRightIcon))
        .Get("Font", ids::kFont, Getter<WhiteTop>(&WhiteTop::MsgFont))
        .PutRef(
            "Font", ids::kFont,
            Setter<WhiteTop, std::shared_ptr<ui::StdFont>>(
                [](WhiteTop& self, std::shared_ptr<ui::StdFont> font) { self.CopyFont(*font); }));
    return m;
  }();
  return members;
}

void WhiteTop::SetAutoSize(bool value) {
  auto_size_ = value;
  FitHeight();
  PropertyChanged("AutoSize");
}

void WhiteTop::SetTitle(std::string title) {
  title_->SetCaption(std::move(title));
  PropertyChanged("Title");
}

void WhiteTop::SetMsg(std::string msg) {
  msg_->SetCaption(std::move(msg));
  FitHeight();
  PropertyChanged("Msg");
}

void WhiteTop::SetRightIcon(std::shared_ptr<ui::StdPicture> picture) {
  right_icon_ = std::move(picture);
  icon_->SetPicture(right_icon_);
  Arrange();
  PropertyChanged("RightIcon");
}

void WhiteTop::CopyFont(const ui::StdFont& font) {
  // Read everything first: `font` may be one of the labels' own fonts.
  const bool italic = font.Italic();
  const std::string name = font.Name();
  const automation::Currency size = font.Size();
  for (auto [label, bold] : {std::pair{msg_, false}, std::pair{title_, true}}) {
    ui::StdFont& target = *label->Font();
    target.SetItalic(italic);
    (void)target.SetName(name);  // a font object's face name is never empty
    (void)target.SetSize(size);  // nor its size out of range
    target.SetBold(bold);
  }
  PropertyChanged("Font");
}

void WhiteTop::FitHeight() {
  if (!auto_size_) return;
  const int target = msg_->Top() + msg_->Height() + kMsgBottomMargin;
  // The resize this causes finds the height right and stops there.
  if (target != Height()) (void)SetHeight(target);
}

void WhiteTop::Arrange() {
  // Each step stands alone: one that fails (a banner too narrow for a negative width)
  // leaves its part as it was and the others still run.
  (void)icon_->SetLeft(Width() - icon_->Width() - icon_->Top());
  line_->SetX2(Width());
  const int line_y = Height() - 2 * ui::CurrentBackend().TwipsPerPixelY();
  line_->SetY1(line_y);
  line_->SetY2(line_y);
  // Beside an icon the reserve counts the picture's HIMETRIC width as if it were
  // twips: stored forms were laid out with this margin.
  const int reserve = HasIcon() ? kIconGap + right_icon_->Width() : kMsgRightMargin;
  (void)msg_->SetWidth(Width() - msg_->Left() - reserve);
  if (auto_size_) {
    FitHeight();
    return;
  }
  const int room = Height() - msg_->Top() - kMsgClipMargin;
  if (room < msg_->Height()) (void)msg_->SetHeight(room);
}

void WhiteTop::OnResize() {
  Arrange();
}

void WhiteTop::OnInitProperties() {
  SetMsg("Msg");
  SetTitle("Title");
  SetRightIcon(ui::StdPicture::Empty());
  SetAutoSize(true);
  if (Site() != nullptr) (void)Site()->SetAlign(ui::align::kTop);
}

void WhiteTop::OnReadProperties(ui::PropertyBag& bag) {
  ReadFont(bag, *msg_->Font(), /*bold=*/false);
  ReadFont(bag, *title_->Font(), /*bold=*/true);
  if (auto title = bag.ReadProperty("Title", "Title")) {
    if (auto text = title->ToString()) SetTitle(*text);
  }
  if (auto msg = bag.ReadProperty("Msg", "Msg")) {
    if (auto text = msg->ToString()) SetMsg(*text);
  }
  if (auto icon = bag.ReadProperty("Icon", PictureVariant(ui::StdPicture::Empty()))) {
    if (auto picture = ui::members::FromVariant<std::shared_ptr<ui::StdPicture>>(*icon))
      SetRightIcon(*picture);
  }
  if (auto auto_size = bag.ReadProperty("AutoSize", true)) {
    if (auto flag = auto_size->ToBool()) SetAutoSize(*flag);
  }
}

void WhiteTop::OnWriteProperties(ui::PropertyBag& bag) {
  RaiseIfFailed(bag.WriteProperty("Title", Title(), "Title"));
  RaiseIfFailed(bag.WriteProperty("Msg", Msg(), "Msg"));
  RaiseIfFailed(bag.WriteProperty("Icon", PictureVariant(right_icon_),
                                  PictureVariant(ui::StdPicture::Empty())));
  RaiseIfFailed(bag.WriteProperty("AutoSize", auto_size_, true));
  const ui::StdFont& font = *msg_->Font();
  RaiseIfFailed(bag.WriteProperty("FontName", font.Name()));
  RaiseIfFailed(bag.WriteProperty("FontSize", font.Size()));
  RaiseIfFailed(bag.WriteProperty("FontItalic", font.Italic()));
}

}  // namespace feriant::lumatrel

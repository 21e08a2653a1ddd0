#include "platform/ui/controls/image.h"

#include <cmath>

#include "platform/ui/common/errors.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;
using automation::Variant;

// ------------------------------------------------------------------------ HeldPicture

HeldPicture::HeldPicture(std::function<void()> changed)
    : changed_(std::move(changed)), picture_(StdPicture::Empty()) {
  connection_ = picture_->Changed().Connect(changed_);
}

HeldPicture::~HeldPicture() {
  picture_->Changed().Disconnect(connection_);
}

bool HeldPicture::Set(std::shared_ptr<StdPicture> picture) {
  // Picture setters accept Nothing as "no picture".
  if (!picture) picture = StdPicture::Empty();
  if (picture == picture_) return false;
  picture_->Changed().Disconnect(connection_);
  picture_ = std::move(picture);
  connection_ = picture_->Changed().Connect(changed_);
  changed_();
  return true;
}

// ------------------------------------------------------------------------------ Image

Image::Image() : ControlImpl(/*windowed=*/false) {}

const Members<Image>& Image::Interface() {
  static const Members<Image> members = [] {
    Members<Image> m;
    using T = Image;
    members::AddCommonMembers(
        m, members::kIdentity | members::kGeometry | members::kEnabled | members::kPointer);
    m.Get("Picture", dispid::kPicture, members::Getter<T>(&T::Picture))
        .PutRef("Picture", dispid::kPicture,
                members::Setter<T, std::shared_ptr<StdPicture>>(&T::SetPicture))
        .Get("Stretch", dispid::kStretch, members::Getter<T>(&T::Stretch))
        .Put("Stretch", dispid::kStretch, members::Setter<T, bool>(&T::SetStretch));
    return m;
  }();
  return members;
}

void Image::SetPicture(std::shared_ptr<StdPicture> picture) {
  if (picture_.Set(std::move(picture))) FitToPicture();
}

void Image::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  NotifyChanged("Stretch");
  FitToPicture();
}

Status Image::InputClick() {
  click_.Raise();
  return Ok();
}

Status Image::InputMouse(const MouseInput& input) {
  return RaiseMouseEvent(input, &mouse_down_, &mouse_up_);
}

void Image::FitToPicture() {
  if (stretch_ || picture_->IsEmpty()) return;
  SetBoundsInternal(Rect{Left(), Top(), picture_->WidthTwips(), picture_->HeightTwips()});
}

// ------------------------------------------------------------------------- PictureBox

PictureBox::PictureBox() : ControlImpl(/*windowed=*/true) {}

const Members<PictureBox>& PictureBox::Interface() {
  static const Members<PictureBox> members = [] {
    Members<PictureBox> m;
    using T = PictureBox;
    using Args = std::span<Variant>;
    using Named = std::span<const automation::NamedArg>;
    members::AddCommonMembers(m);
    m.Get("Picture", dispid::kPicture, members::Getter<T>(&T::Picture))
        .PutRef("Picture", dispid::kPicture,
                members::Setter<T, std::shared_ptr<StdPicture>>(&T::SetPicture))
        .Get("AutoRedraw", dispid::kAutoRedraw, members::Getter<T>(&T::AutoRedraw))
        .Put("AutoRedraw", dispid::kAutoRedraw, members::Setter<T, bool>(&T::SetAutoRedraw))
        .Get("AutoSize", dispid::kAutoSize, members::Getter<T>(&T::AutoSize))
        .Put("AutoSize", dispid::kAutoSize, members::Setter<T, bool>(&T::SetAutoSize))
        .Get("ScaleMode", dispid::kScaleMode, members::Getter<T>(&T::ScaleMode))
        .Put("ScaleMode", dispid::kScaleMode, members::Setter<T, int>(&T::SetScaleMode))
        .Get("ScaleWidth", dispid::kScaleWidth, members::Getter<T>(&T::ScaleWidth))
        .Get("ScaleHeight", dispid::kScaleHeight, members::Getter<T>(&T::ScaleHeight))
        .Get("BackColor", dispid::kBackColor, members::ColorGetter<T>(&T::BackColor))
        .Put("BackColor", dispid::kBackColor, members::ColorSetter<T>(&T::SetBackColor))
        .Method("Point", dispid::kPoint,
                [](T& p, Args args, Named) -> Result<Variant> {
                  if (args.size() != 2)
                    return automation::MakeError(automation::hresult::kBadParamCount);
                  auto x = args[0].ToDouble();
                  auto y = args[1].ToDouble();
                  if (!x) return x.error();
                  if (!y) return y.error();
                  auto color = p.Point(*x, *y);
                  // Outside the picture the answer is -1, as the drawing call gives.
                  if (!color) return Variant(std::int32_t{-1});
                  return members::ColorToVariant(*color);
                })
        .Method("PSet", dispid::kPSet, [](T& p, Args args, Named) -> Result<Variant> {
          if (args.size() != 3) return automation::MakeError(automation::hresult::kBadParamCount);
          auto x = args[0].ToDouble();
          auto y = args[1].ToDouble();
          auto color = members::ColorFromVariant(args[2]);
          if (!x) return x.error();
          if (!y) return y.error();
          if (!color) return color.error();
          if (Status s = p.PSet(*x, *y, *color); !s) return s.error();
          return Variant();
        });
    return m;
  }();
  return members;
}

void PictureBox::SetPicture(std::shared_ptr<StdPicture> picture) {
  if (picture_.Set(std::move(picture))) FitToPicture();
}

void PictureBox::SetAutoRedraw(bool value) {
  if (value == auto_redraw_) return;
  auto_redraw_ = value;
  NotifyChanged("AutoRedraw");
}

void PictureBox::SetAutoSize(bool value) {
  if (value == auto_size_) return;
  auto_size_ = value;
  NotifyChanged("AutoSize");
  FitToPicture();
}

Status PictureBox::SetScaleMode(int mode) {
  if (mode != scale_mode::kTwips && mode != scale_mode::kPixels)
    return MakeUiError(ui_error::kInvalidPropertyValue, "ScaleMode " + std::to_string(mode));
  scale_mode_ = mode;
  return Ok();
}

double PictureBox::ScaleWidth() const {
  if (scale_mode_ == scale_mode::kTwips) return Width();
  return static_cast<double>(Width()) / CurrentBackend().TwipsPerPixelX();
}

double PictureBox::ScaleHeight() const {
  if (scale_mode_ == scale_mode::kTwips) return Height();
  return static_cast<double>(Height()) / CurrentBackend().TwipsPerPixelY();
}

int PictureBox::PixelX(double x) const {
  if (scale_mode_ == scale_mode::kPixels) return static_cast<int>(std::floor(x));
  return static_cast<int>(std::floor(x / CurrentBackend().TwipsPerPixelX()));
}

int PictureBox::PixelY(double y) const {
  if (scale_mode_ == scale_mode::kPixels) return static_cast<int>(std::floor(y));
  return static_cast<int>(std::floor(y / CurrentBackend().TwipsPerPixelY()));
}

Result<OleColor> PictureBox::Point(double x, double y) const {
  return picture_->Pixel(PixelX(x), PixelY(y));
}

Status PictureBox::PSet(double x, double y, OleColor color) {
  return picture_->SetPixel(PixelX(x), PixelY(y), color);
}

Status PictureBox::InputClick() {
  click_.Raise();
  return Ok();
}

Status PictureBox::InputMouse(const MouseInput& input) {
  return RaiseMouseEvent(input, &mouse_down_, &mouse_up_);
}

void PictureBox::FitToPicture() {
  if (!auto_size_ || picture_->IsEmpty()) return;
  SetBoundsInternal(Rect{Left(), Top(), picture_->WidthTwips(), picture_->HeightTwips()});
}

}  // namespace feriant::ui

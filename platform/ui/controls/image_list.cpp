#include "platform/ui/controls/image_list.h"

#include <algorithm>

#include "platform/ui/common/errors.h"
#include "platform/ui/controls/keyed_collection.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;
using automation::Variant;

namespace {

using Args = std::span<Variant>;
using Named = std::span<const automation::NamedArg>;

Variant ImageRef(ListImage* image) {
  if (image == nullptr) return Variant(automation::ObjectRef());
  return Variant(image->shared_from_this());
}

// The image an argument names: a key (text) or a number.
Result<ListImage*> ImageOf(const ImageList& list, const Variant& which) {
  ListImage* image = nullptr;
  if (const std::string* key = which.AsString()) {
    image = list.Find(*key);
  } else {
    auto index = which.ToI4();
    if (!index) return index.error();
    image = list.At(*index);
  }
  if (image == nullptr) return MakeUiError(ui_error::kElementNotFound);
  return image;
}

}  // namespace

// --------------------------------------------------------------------------- ListImage

const Members<ListImage>& ListImage::Interface() {
  static const Members<ListImage> members = [] {
    Members<ListImage> m;
    using T = ListImage;
    m.Get("Key", dispid::kKey, members::Getter<T>(&T::Key))
        .Get("Index", dispid::kIndex, members::Getter<T>(&T::Index))
        .Get("Picture", dispid::kPicture, members::Getter<T>(&T::Picture))
        .Get("Tag", dispid::kTag, members::Getter<T>(&T::Tag))
        .Put("Tag", dispid::kTag,
             members::Setter<T, std::string>([](T& i, std::string v) { i.SetTag(std::move(v)); }));
    return m;
  }();
  return members;
}

// -------------------------------------------------------------------------- ListImages

Result<ImageList*> ListImages::Live() const {
  if (list_ == nullptr) return MakeUiError(ui_error::kObjectUnloaded, "the image list is gone");
  return list_;
}

const Members<ListImages>& ListImages::Interface() {
  static const Members<ListImages> members = [] {
    Members<ListImages> m;
    using T = ListImages;
    members::AddCollectionMembers(m, &ImageOf, &ImageList::Count, &ImageList::At);
    m.Method("Add", dispid::kAdd, [](T& c, Args args, Named named) -> Result<Variant> {
      auto list = c.Live();
      if (!list) return list.error();
      int index = 0;
      Variant where = automation::ArgumentOf(args, named, "Index", 0);
      if (!where.IsMissing() && !where.IsEmpty()) {
        auto value = where.ToI4();
        if (!value) return value.error();
        index = *value;
      }
      std::string key;
      Variant name = automation::ArgumentOf(args, named, "Key", 1);
      if (!name.IsMissing() && !name.IsEmpty()) {
        auto text = name.ToString();
        if (!text) return text.error();
        key = std::move(*text);
      }
      auto picture = members::FromVariant<std::shared_ptr<StdPicture>>(
          automation::ArgumentOf(args, named, "Picture", 2));
      if (!picture) return picture.error();
      auto image = (*list)->Add(std::move(*picture), std::move(key), index);
      if (!image) return image.error();
      return ImageRef(*image);
    });
    return m;
  }();
  return members;
}

// --------------------------------------------------------------------------- ImageList

ImageList::ImageList()
    : ControlImpl(/*windowed=*/false),
      collection_(std::make_shared<ListImages>(ListImages::Token{}, *this)) {}

ImageList::~ImageList() {
  collection_->list_ = nullptr;
  for (const auto& image : images_) {
    image->list_ = nullptr;
    image->index_ = 0;
  }
}

const Members<ImageList>& ImageList::Interface() {
  static const Members<ImageList> members = [] {
    Members<ImageList> m;
    using T = ImageList;
    members::AddCommonMembers(m, members::kIdentity);
    m.Get("ListImages", dispid::kListImages, members::Getter<T>([](T& l) { return l.Images(); }))
        .Get("MaskColor", dispid::kMaskColor, members::ColorGetter<T>(&T::MaskColor))
        .Put("MaskColor", dispid::kMaskColor, members::ColorSetter<T>(&T::SetMaskColor))
        .Get("UseMaskColor", dispid::kUseMaskColor, members::Getter<T>(&T::UseMaskColor))
        .Put("UseMaskColor", dispid::kUseMaskColor, members::Setter<T, bool>(&T::SetUseMaskColor));
    return m;
  }();
  return members;
}

Result<ListImage*> ImageList::Add(std::shared_ptr<StdPicture> picture, std::string key, int index) {
  if (!picture || picture->IsEmpty()) return MakeUiError(ui_error::kInvalidPicture);
  if (index < 0 || index > Count() + 1)
    return MakeUiError(ui_error::kInvalidProcedureCall, "index " + std::to_string(index));
  if (!key.empty() && Find(key) != nullptr) return MakeUiError(ui_error::kKeyNotUnique, key);
  auto image = std::make_shared<ListImage>(ListImage::Token{}, std::move(key), std::move(picture));
  image->list_ = this;
  const size_t position = index == 0 ? images_.size() : static_cast<size_t>(index) - 1;
  images_.insert(images_.begin() + static_cast<std::ptrdiff_t>(position), image);
  Renumber();
  return image.get();
}

ListImage* ImageList::Find(std::string_view key) const {
  if (key.empty()) return nullptr;
  for (const auto& image : images_) {
    if (image->key_ == key) return image.get();
  }
  return nullptr;
}

ListImage* ImageList::At(int index) const {
  if (index < 1 || index > Count()) return nullptr;
  return images_[static_cast<size_t>(index) - 1].get();
}

Status ImageList::Remove(ListImage& image) {
  if (image.list_ != this) return MakeUiError(ui_error::kElementNotFound);
  image.list_ = nullptr;
  image.index_ = 0;
  std::erase_if(images_, [&](const auto& entry) { return entry.get() == &image; });
  Renumber();
  return Ok();
}

void ImageList::Clear() {
  for (const auto& image : images_) {
    image->list_ = nullptr;
    image->index_ = 0;
  }
  images_.clear();
}

void ImageList::Renumber() {
  for (size_t i = 0; i < images_.size(); ++i)
    images_[i]->index_ = static_cast<int>(i) + 1;
}

Status ImageList::SetMaskColor(OleColor color) {
  return AssignColor(mask_color_, color, "MaskColor");
}

OleColor ImageList::TransparentColorOf(const ListImage& image) const {
  if (use_mask_color_) return ResolveColor(mask_color_);
  const auto corner = image.Picture()->Pixel(0, 0);
  return corner ? *corner : ResolveColor(mask_color_);
}

void ImageList::Draw(const ListImage& image, Canvas& canvas, int x, int y, bool transparent) const {
  if (transparent) {
    canvas.DrawPictureTransparent(image.Picture(), x, y, TransparentColorOf(image));
  } else {
    canvas.DrawPicture(image.Picture(), x, y);
  }
}

void ImageList::Draw(const ListImage& image, StdPicture& target, int x, int y,
                     bool transparent) const {
  std::optional<OleColor> leave_out;
  if (transparent) leave_out = TransparentColorOf(image);
  target.Overlay(*image.Picture(), x, y, leave_out);
}

}  // namespace feriant::ui

#pragma once
// ImageList: a keyed list of pictures that other controls draw from (status marks in
// front of a line, the faces of a spin button). It is a control of its surface so that it
// can be found by name, but it is never shown.
//
// Its ListImages are numbered from 1 in their order (renumbered after a removal) and may
// carry a key, unique in the list ("Key is not unique in collection"); Item finds one by
// number or key. A picture is drawn plainly, or transparently: then every pixel of the
// mask colour is left out, MaskColor while UseMaskColor is set (the default; silver
// RGB(192, 192, 192) when new), else the picture's top-left pixel.
// The list owns its images. The user-interface thread only.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/canvas.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::ui {

class ImageList;

class ListImage final : public automation::DispatchObject<ListImage> {
  struct Token {};

 public:
  ListImage(Token, std::string key, std::shared_ptr<StdPicture> picture)
      : key_(std::move(key)), picture_(std::move(picture)) {}
  static const automation::Members<ListImage>& Interface();
  std::string TypeName() const override { return "ListImage"; }

  const std::string& Key() const { return key_; }
  // 1-based; 0 once removed.
  int Index() const { return index_; }
  const std::shared_ptr<StdPicture>& Picture() const { return picture_; }
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }

 private:
  friend class ImageList;
  std::string key_;
  std::shared_ptr<StdPicture> picture_;
  std::string tag_;
  int index_ = 0;
  ImageList* list_ = nullptr;
};

// The ListImages collection: Add([Index], [Key], Picture), Item (the default member, by
// number or key), Count, Remove, Clear and enumeration.
class ListImages final : public automation::DispatchObject<ListImages> {
  struct Token {};

 public:
  ListImages(Token, ImageList& list) : list_(&list) {}
  static const automation::Members<ListImages>& Interface();
  std::string TypeName() const override { return "ListImages"; }
  // The picture list, or "Object was unloaded" once it is gone.
  Result<ImageList*> Live() const;

 private:
  friend class ImageList;

  ImageList* list_;
};

class ImageList final : public ControlImpl<ImageList> {
 public:
  ImageList();
  ~ImageList() override;
  static const automation::Members<ImageList>& Interface();
  std::string ClassName() const override { return "ImageList"; }

  // Adds `picture` (a bitmap; an empty picture is refused) before position `index`
  // (1-based; 0: at the end) under `key` (empty: none).
  Result<ListImage*> Add(std::shared_ptr<StdPicture> picture, std::string key = {}, int index = 0);
  // By key, or by 1-based number; nullptr when there is none.
  ListImage* Find(std::string_view key) const;
  ListImage* At(int index) const;
  int Count() const { return static_cast<int>(images_.size()); }
  Status Remove(ListImage& image);
  void Clear();
  const std::shared_ptr<ListImages>& Images() const { return collection_; }

  OleColor MaskColor() const { return mask_color_; }
  Status SetMaskColor(OleColor color);
  bool UseMaskColor() const { return use_mask_color_; }
  void SetUseMaskColor(bool value) { use_mask_color_ = value; }
  // The colour a transparent drawing of `image` leaves out (an RGB value).
  OleColor TransparentColorOf(const ListImage& image) const;

  // Draws `image` with its top-left corner at (x, y), plainly or transparently: onto a
  // user control's drawing (twips of its surface; the renderer leaves the mask colour
  // out), or into a picture's pixels (pixels; what falls outside is cut off).
  void Draw(const ListImage& image, Canvas& canvas, int x, int y, bool transparent) const;
  void Draw(const ListImage& image, StdPicture& target, int x, int y, bool transparent) const;

 private:
  void Renumber();

  std::vector<std::shared_ptr<ListImage>> images_;
  std::shared_ptr<ListImages> collection_;
  OleColor mask_color_ = Rgb(192, 192, 192);
  bool use_mask_color_ = true;
};

}  // namespace feriant::ui

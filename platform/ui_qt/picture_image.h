#pragma once
// Pictures and Qt images. The model's pictures are 24-bit bitmaps of OLE colours
// (0x00BBGGRR); Qt paints QImages. Loading a file here gives the model formats it does not
// read itself (PNG, and whatever else Qt's image plugins read); transparent pixels are
// composed over a background colour, since the model's bitmaps have no alpha.
// Needs a QGuiApplication for file formats; the user-interface thread only.

#include <filesystem>
#include <memory>

#include <QImage>

#include "platform/base/result.h"
#include "platform/ui/common/color.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::ui_qt {

// The bitmap's pixels as an opaque RGB32 image; a null image for an empty picture.
QImage ToQImage(const ui::StdPicture& picture);

// A bitmap picture of `image`, transparent pixels composed over `background` (an RGB
// value). Its HIMETRIC size is that of the pixels at the current backend's twips per
// pixel. A null image gives an empty picture.
std::shared_ptr<ui::StdPicture> PictureFromImage(const QImage& image, ui::OleColor background);

// Reads an image file of any format Qt reads. An unreadable file is an "Invalid picture"
// error naming the file.
Result<std::shared_ptr<ui::StdPicture>> LoadPicture(const std::filesystem::path& file,
                                                    ui::OleColor background);

}  // namespace feriant::ui_qt

#include "platform/ui_qt/picture_image.h"

#include <vector>

#include <QImageReader>
#include <QPainter>

#include "platform/ui/common/errors.h"

namespace feriant::ui_qt {

QImage ToQImage(const ui::StdPicture& picture) {
  if (picture.IsEmpty() || picture.PixelWidth() <= 0 || picture.PixelHeight() <= 0) return {};
  QImage image(picture.PixelWidth(), picture.PixelHeight(), QImage::Format_RGB32);
  const std::vector<ui::OleColor>& pixels = picture.Pixels();
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const ui::OleColor c = pixels[static_cast<size_t>(y) * image.width() + x];
      row[x] = qRgb(ui::RedOf(c), ui::GreenOf(c), ui::BlueOf(c));
    }
  }
  return image;
}

std::shared_ptr<ui::StdPicture> PictureFromImage(const QImage& image, ui::OleColor background) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return ui::StdPicture::Empty();
  QImage opaque(image.size(), QImage::Format_RGB32);
  opaque.fill(QColor(ui::RedOf(background), ui::GreenOf(background), ui::BlueOf(background)));
  {
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
  }
  std::vector<ui::OleColor> pixels;
  pixels.reserve(static_cast<size_t>(opaque.width()) * opaque.height());
  for (int y = 0; y < opaque.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(opaque.constScanLine(y));
    for (int x = 0; x < opaque.width(); ++x)
      pixels.push_back(ui::Rgb(qRed(row[x]), qGreen(row[x]), qBlue(row[x])));
  }
  auto picture = ui::StdPicture::FromPixels(opaque.width(), opaque.height(), std::move(pixels));
  return picture ? *picture : ui::StdPicture::Empty();
}

Result<std::shared_ptr<ui::StdPicture>> LoadPicture(const std::filesystem::path& file,
                                                    ui::OleColor background) {
  QImageReader reader(QString::fromStdString(file.string()));
  QImage image = reader.read();
  if (image.isNull()) {
    return ui::MakeUiError(ui::ui_error::kInvalidPicture,
                           file.string() + ": " + reader.errorString().toStdString());
  }
  return PictureFromImage(image, background);
}

}  // namespace feriant::ui_qt

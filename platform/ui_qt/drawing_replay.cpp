#include "platform/ui_qt/drawing_replay.h"

#include <variant>

#include <QImage>
#include <QPen>

#include "platform/ui_qt/mirror_widgets.h"
#include "platform/ui_qt/picture_image.h"
#include "platform/ui_qt/pixels.h"
#include "platform/ui_qt/text_metrics.h"

namespace feriant::ui_qt {
namespace {

using internal::ToQColor;

// A picture with `mask`'s pixels made transparent.
QImage Masked(const ui::StdPicture& picture, ui::OleColor mask) {
  QImage image = ToQImage(picture).convertToFormat(QImage::Format_ARGB32);
  const QRgb key = ToQColor(mask).rgb();
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] | 0xFF000000u) == key) line[x] = 0;
    }
  }
  return image;
}

}  // namespace

void ReplayDrawing(QPainter& painter, const ui::Canvas& canvas, int twips_per_pixel_x,
                   int twips_per_pixel_y) {
  const int tx = twips_per_pixel_x;
  const int ty = twips_per_pixel_y;
  auto point = [&](int x, int y) { return QPoint(PixelsFromTwips(x, tx), PixelsFromTwips(y, ty)); };
  auto pen = [](ui::OleColor color, int width) {
    QPen result(ToQColor(color));
    result.setWidth(width < 1 ? 1 : width);
    result.setCapStyle(Qt::FlatCap);
    result.setJoinStyle(Qt::MiterJoin);
    return result;
  };
  painter.save();
  for (const ui::Canvas::Command& command : canvas.Commands()) {
    if (const auto* fill = std::get_if<ui::Canvas::Fill>(&command)) {
      painter.fillRect(PixelRect(fill->area, tx, ty), ToQColor(fill->color));
    } else if (const auto* line = std::get_if<ui::Canvas::Line>(&command)) {
      painter.setPen(pen(line->color, line->width));
      painter.drawLine(point(line->x1, line->y1), point(line->x2, line->y2));
    } else if (const auto* frame = std::get_if<ui::Canvas::Frame>(&command)) {
      // Inside the area: the pen's pixels lie on and within its edges.
      const QRect area = PixelRect(frame->area, tx, ty);
      const int width = frame->width < 1 ? 1 : frame->width;
      for (int i = 0; i < width && 2 * i < area.width() && 2 * i < area.height(); ++i) {
        painter.setPen(pen(frame->color, 1));
        painter.drawRect(area.adjusted(i, i, -i - 1, -i - 1));
      }
    } else if (const auto* text = std::get_if<ui::Canvas::Text>(&command)) {
      painter.setFont(ToQFont(text->font));
      painter.setPen(ToQColor(text->color));
      const QPoint at = point(text->x, text->y);
      painter.drawText(QRect(at, QSize(1 << 20, 1 << 20)), Qt::AlignLeft | Qt::AlignTop,
                       QString::fromStdString(text->text));
    } else if (const auto* picture = std::get_if<ui::Canvas::Picture>(&command)) {
      const QImage image =
          picture->mask ? Masked(*picture->picture, *picture->mask) : ToQImage(*picture->picture);
      const ui::Rect& area = picture->area;
      if (area.width <= 0 && area.height <= 0) {
        painter.drawImage(point(area.left, area.top), image);
      } else {
        const int width = area.width > 0 ? area.width : picture->picture->WidthTwips();
        const int height = area.height > 0 ? area.height : picture->picture->HeightTwips();
        painter.drawImage(PixelRect(ui::Rect{area.left, area.top, width, height}, tx, ty), image);
      }
    } else if (const auto* clip = std::get_if<ui::Canvas::Clip>(&command)) {
      if (clip->area) {
        painter.setClipRect(PixelRect(*clip->area, tx, ty));
      } else {
        painter.setClipping(false);
      }
    }
  }
  painter.restore();
}

}  // namespace feriant::ui_qt

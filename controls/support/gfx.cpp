#include "controls/support/gfx.h"

#include "platform/ui/common/screen.h"

namespace feriant::lumatrel {

void ReplaceColor(ui::StdPicture& picture, ui::OleColor key, ui::OleColor replacement) {
  // The whole bitmap, whatever screen resolution the picture was made at.
  const ui::OleColor key_rgb = ui::ResolveColor(key) & 0x00FFFFFFu;
  for (int y = 0; y < picture.PixelHeight(); ++y) {
    for (int x = 0; x < picture.PixelWidth(); ++x) {
      auto pixel = picture.Pixel(x, y);
      if (pixel && *pixel == key_rgb) (void)picture.SetPixel(x, y, replacement);
    }
  }
}

}  // namespace feriant::lumatrel

#pragma once
// The face of the add-in's command-bar buttons: the two bitmap resources of the library
// (501, a 16 x 16 24-bit holiday calendar in which magenta marks transparent pixels; 502,
// its mask, black where the image shows and white where it is transparent), and how a
// button gets them: hosts from version 10.0 take picture and mask; older ones paste a
// face from the clipboard in which the button-face colour is the transparent one.
// One thread: the host's user-interface thread.

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/automation/dispatch.h"
#include "platform/base/result.h"
#include "platform/ui/common/color.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::host {

inline constexpr std::int32_t kButtonImageId = 501;
inline constexpr std::int32_t kButtonMaskId = 502;
inline constexpr int kButtonImageSize = 16;  // pixels, square
inline constexpr ui::OleColor kMagenta = ui::Rgb(255, 0, 255);

// A fresh copy of bitmap resource `id` (501 or 502); an error for any other id.
Result<std::shared_ptr<ui::StdPicture>> LoadButtonBitmap(std::int32_t id);

// Bitmap `image_id` with the current scheme's button-face colour made transparent for an
// old host: pixels of the button-face colour become that colour + 1 (as a 24-bit RGB
// number; white, which has no successor, becomes white - 1) so that they stay visible,
// then magenta pixels become the button-face colour.
Result<std::shared_ptr<ui::StdPicture>> TransparentFace(std::int32_t image_id);

// Gives `button` (a command-bar control, late-bound) its image: Picture and Mask when
// `host_version` is at least "10.0", else TransparentFace on the clipboard (replacing
// what the user had there) and PasteFace. The first failing call's error.
Status SetButtonFace(automation::Dispatch& button, std::int32_t image_id, std::int32_t mask_id,
                     std::string_view host_version);

}  // namespace feriant::host

#include "addin/dialog/caption_fit.h"

#include <algorithm>

#include "platform/ui/core/backend.h"

namespace feriant::dialog {

void FitLabelToCaption(ui::Label& label, int designed_width, int designed_height, int widest) {
  const ui::Backend& backend = ui::CurrentBackend();
  const ui::FontDesc& font = label.Font()->Desc();
  const std::string& caption = label.Caption();
  const int one_line = backend.TextWidth(font, caption);
  const int width = std::clamp(one_line, designed_width, std::max(designed_width, widest));
  const int height = std::max(designed_height, backend.WrappedTextHeight(font, caption, width));
  // A failure (a size the label refuses) leaves the label as it is: the layout goes on.
  if (width != label.Width()) (void)label.SetWidth(width);
  if (height != label.Height()) (void)label.SetHeight(height);
}

}  // namespace feriant::dialog

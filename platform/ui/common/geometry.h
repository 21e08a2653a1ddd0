#pragma once
// Rectangles of the windowing model, in twips (a renderer converts to pixels). Plain
// values; no thread affinity.

namespace feriant::ui {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace feriant::ui

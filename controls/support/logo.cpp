#include "controls/support/logo.h"

#include <array>
#include <string_view>

namespace feriant::lumatrel {
namespace {

// A bold pixel font: glyphs 7 pixels wide and 10 high with 2-pixel strokes; 'X' is ink.
constexpr int kGlyphWidth = 7;
constexpr int kGlyphHeight = 10;
using GlyphRows = std::array<std::string_view, kGlyphHeight>;

struct Glyph {
  char letter;
  GlyphRows rows;
};

// clang-format off
constexpr Glyph kFont[] = {
    {'L', {"XX.....",
           "XX.....",
           "XX.....",
           "XX.....",
           "XX.....",
           "XX.....",
           "XX.....",
           "XX.....",
           "XXXXXXX",
           "XXXXXXX"}},
    {'U', {"XX...XX",
           "XX...XX",
           "XX...XX",
           "XX...XX",
           "XX...XX",
           "XX...XX",
           "XX...XX",
           "XX...XX",
           ".XXXXX.",
           "..XXX.."}},
    {'M', {"XX...XX",
           "XXX.XXX",
           "XXXXXXX",
           "XX.X.XX",
           "XX...XX",
           "XX...XX",
           "XX...XX",
           "XX...XX",
           "XX...XX",
           "XX...XX"}},
    {'A', {"..XXX..",
           ".XXXXX.",
           "XX...XX",
           "XX...XX",
           "XX...XX",
           "XXXXXXX",
           "XXXXXXX",
           "XX...XX",
           "XX...XX",
           "XX...XX"}},
    {'T', {"XXXXXXX",
           "XXXXXXX",
           "..XXX..",
           "..XXX..",
           "..XXX..",
           "..XXX..",
           "..XXX..",
           "..XXX..",
           "..XXX..",
           "..XXX.."}},
    {'R', {"XXXXXX.",
           "XXXXXXX",
           "XX...XX",
           "XX...XX",
           "XXXXXXX",
           "XXXXXX.",
           "XX.XX..",
           "XX..XX.",
           "XX...XX",
           "XX...XX"}},
    {'E', {"XXXXXXX",
           "XXXXXXX",
           "XX.....",
           "XX.....",
           "XXXXXX.",
           "XXXXXX.",
           "XX.....",
           "XX.....",
           "XXXXXXX",
           "XXXXXXX"}},
};

// The emblem: a diamond, 10 x 10.
constexpr GlyphRows kDiamond = {"....XX....",
                                "...XXXX...",
                                "..XXXXXX..",
                                ".XXXXXXXX.",
                                "XXXXXXXXXX",
                                "XXXXXXXXXX",
                                ".XXXXXXXX.",
                                "..XXXXXX..",
                                "...XXXX...",
                                "....XX...."};
// clang-format on

constexpr std::string_view kWordmark = "LUMATREL";
constexpr ui::OleColor kAmber = ui::Rgb(230, 140, 0);
constexpr ui::OleColor kNavy = ui::Rgb(0, 0, 99);  // the banner title's colour

// Placement, in pixels from the top-left.
constexpr int kTop = 2;
constexpr int kDiamondLeft = 2;
constexpr int kWordmarkLeft = 16;
constexpr int kGlyphAdvance = kGlyphWidth + 2;
constexpr int kRuleRow = kTop + kGlyphHeight - 1;  // on the baseline
constexpr int kRuleLeft = kWordmarkLeft + static_cast<int>(kWordmark.size()) * kGlyphAdvance + 2;
constexpr int kRuleRight = kLogoWidth - 3;  // inclusive

// Coverage of the soft edge around a stroke: beside it, and only touching a corner.
constexpr std::uint8_t kEdgeCoverage = 96;
constexpr std::uint8_t kCornerCoverage = 40;

const GlyphRows* GlyphOf(char letter) {
  for (const Glyph& glyph : kFont) {
    if (glyph.letter == letter) return &glyph.rows;
  }
  return nullptr;
}

size_t At(int x, int y) {
  return static_cast<size_t>(y) * kLogoWidth + static_cast<size_t>(x);
}

LogoPixels Draw() {
  constexpr size_t kCount = static_cast<size_t>(kLogoWidth) * kLogoHeight;
  LogoPixels art{std::vector<ui::OleColor>(kCount, 0), std::vector<std::uint8_t>(kCount, 0)};
  std::vector<bool> solid(kCount, false);

  auto stamp = [&](const GlyphRows& rows, int left, ui::OleColor ink) {
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
      for (int x = 0; x < static_cast<int>(rows[static_cast<size_t>(y)].size()); ++x) {
        if (rows[static_cast<size_t>(y)][static_cast<size_t>(x)] != 'X') continue;
        solid[At(left + x, kTop + y)] = true;
        art.ink[At(left + x, kTop + y)] = ink;
      }
    }
  };
  stamp(kDiamond, kDiamondLeft, kAmber);
  for (size_t i = 0; i < kWordmark.size(); ++i) {
    if (const GlyphRows* rows = GlyphOf(kWordmark[i]))
      stamp(*rows, kWordmarkLeft + static_cast<int>(i) * kGlyphAdvance, kNavy);
  }
  for (int y = 0; y < kLogoHeight; ++y) {
    for (int x = 0; x < kLogoWidth; ++x) {
      if (solid[At(x, y)]) art.coverage[At(x, y)] = 255;
    }
  }

  // Soft edges: a background pixel next to a stroke takes part of the stroke's ink.
  for (int y = 0; y < kLogoHeight; ++y) {
    for (int x = 0; x < kLogoWidth; ++x) {
      if (solid[At(x, y)]) continue;
      std::uint8_t coverage = 0;
      ui::OleColor ink = 0;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx;
          const int ny = y + dy;
          if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= kLogoWidth || ny >= kLogoHeight)
            continue;
          if (!solid[At(nx, ny)]) continue;
          const std::uint8_t here = (dx == 0 || dy == 0) ? kEdgeCoverage : kCornerCoverage;
          if (here > coverage) {
            coverage = here;
            ink = art.ink[At(nx, ny)];
          }
        }
      }
      art.coverage[At(x, y)] = coverage;
      art.ink[At(x, y)] = ink;
    }
  }

  // The rule fades from solid at its left end to nothing at its right end.
  for (int x = kRuleLeft; x <= kRuleRight; ++x) {
    const int coverage = 255 - (x - kRuleLeft) * 255 / (kRuleRight - kRuleLeft);
    art.coverage[At(x, kRuleRow)] = static_cast<std::uint8_t>(coverage);
    art.ink[At(x, kRuleRow)] = coverage > 0 ? kNavy : 0;
  }
  return art;
}

std::shared_ptr<ui::StdPicture> Bitmap(std::vector<ui::OleColor> pixels) {
  auto picture = ui::StdPicture::FromPixels(kLogoWidth, kLogoHeight, std::move(pixels));
  // The size and pixel count are fixed above, so this cannot fail.
  return picture ? *picture : ui::StdPicture::Empty();
}

}  // namespace

const LogoPixels& LogoArtwork() {
  static const LogoPixels* art = new LogoPixels(Draw());
  return *art;
}

std::shared_ptr<ui::StdPicture> MakeLogo() {
  return Bitmap(LogoArtwork().ink);
}

std::shared_ptr<ui::StdPicture> MakeLogoMask() {
  std::vector<ui::OleColor> grey;
  grey.reserve(LogoArtwork().coverage.size());
  for (std::uint8_t level : LogoArtwork().coverage)
    grey.push_back(ui::Rgb(level, level, level));
  return Bitmap(std::move(grey));
}

}  // namespace feriant::lumatrel

#include "editor/model/ZoomStatus.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "editor/model/ZoomView.h"

namespace lumarte::editor {

const std::array<TZoomMenuItem, 9> kZoomMenu{{{"1:3", 1.0 / 3},
                                              {"1:2", 0.5},
                                              {"1:1.50", 2.0 / 3},
                                              {"1:1,25", 0.8},
                                              {"1:1", 1.0},
                                              {"1.25:1", 1.25},
                                              {"1.50:1", 1.5},
                                              {"2:1", 2.0},
                                              {"3:1", 3.0}}};

const std::array<const char*, 4> kPanelWidthSamples{"(1234:1)", "X: 12345", "Y: 12345",
                                                    "RGB 123 456 789 "};

double ZoomIn(double z) {
  return LimitZoom(std::min(kZoomMax, z * 1.1));
}
double ZoomOut(double z) {
  return LimitZoom(std::max(kZoomMinKey, z * 0.9));
}
double LimitZoom(double z) {
  return std::max(kZoomMinSet, z);
}

int ZoomToTrackBar(double z) {
  double p = z >= 1 ? std::log(z) * 40 : (z - 1) * 100;
  return static_cast<int>(std::nearbyint(std::clamp<double>(p, kZoomTrackMin, kZoomTrackMax)));
}

double TrackBarToZoom(int p) {
  return p < 1 ? p / 100.0 + 1 : std::exp(0.025 * p);
}

namespace {

// Rounded to even and held inside the int range.
int RoundToInt(double v) {
  return static_cast<int>(std::clamp(std::nearbyint(v), double(INT32_MIN), double(INT32_MAX)));
}

}  // namespace

int ScreenToImage(int screen, int scroll, double z) {
  return RoundToInt((double(screen) + scroll) / EffectiveZoom(z));
}

std::string ZoomPanelText(double z) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f", std::nearbyint(z * 1000) / 1000);
  std::string s = buf;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return "(" + s + ":1)";
}

std::string XPanelText(int x) {
  return "X:" + std::to_string(x);
}
std::string YPanelText(int y) {
  return "Y:" + std::to_string(y);
}

std::string RGBPanelText(TColor c) {
  return "RGB: " + std::to_string(RedOf(c)) + " " + std::to_string(GreenOf(c)) + " " +
         std::to_string(BlueOf(c));
}

int TArrowStep::Press(double now, bool grow) {
  if (now - LastPress < kQuick)
    Step = std::min(kMax, Step + (grow ? 1 : 0));
  else
    Step = 1;
  LastPress = now;
  return Step;
}

void ApplyColourKey(TColorSet& colours, int digit) {
  if (digit >= 1 && digit <= 8)
    colours.FG = colours.Color(digit);
  else if (digit == 0)
    colours.SwapColours(TColorMember::FG, TColorMember::BG);
  else if (digit == 9)
    colours.SwapColours(TColorMember::FG, TColorMember::TCI);
}

}  // namespace lumarte::editor

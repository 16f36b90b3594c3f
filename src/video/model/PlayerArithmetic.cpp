#include "video/model/PlayerArithmetic.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/Rounding.h"

namespace lumarte::video {

std::string TimeText(int64_t ms) {
  ms = std::max<int64_t>(ms, 0);
  char text[48];
  std::snprintf(text, sizeof text, "%02lld:%02lld.%03lld", static_cast<long long>(ms / 60000),
                static_cast<long long>(ms % 60000 / 1000), static_cast<long long>(ms % 1000));
  return text;
}

float ZoomIn(float zoom) {
  return std::min(zoom * 1.1f, kMaxZoom);
}

float ZoomOut(float zoom) {
  return std::max(zoom * 0.9f, kMinZoom);
}

TDisplayRect ZoomedRect(const TDisplayRect& natural, float zoom) {
  TDisplayRect r = natural;
  r.Right = r.Left + static_cast<int>(Round(natural.Width() * static_cast<double>(zoom)));
  r.Bottom = r.Top + static_cast<int>(Round(natural.Height() * static_cast<double>(zoom)));
  return r;
}

int SliderPosition(int64_t frame, int64_t lengthFrames) {
  if (lengthFrames <= 0) return 0;
  return static_cast<int>(std::clamp<int64_t>(frame * kSliderMax / lengthFrames, 0, kSliderMax));
}

int64_t FramePositionMs(int64_t frame, int64_t lengthMs, int64_t lengthFrames) {
  if (lengthFrames <= 0) return 0;
  return frame * lengthMs / lengthFrames;
}

std::optional<int64_t> SliderSeekTarget(int slider, int64_t frame, int64_t lengthFrames) {
  if (lengthFrames <= 0) return std::nullopt;
  int64_t target = slider * lengthFrames / kSliderMax;
  if (std::llabs(slider - SliderPosition(frame, lengthFrames)) <= kSeekThreshold) return std::nullopt;
  if (std::llabs(frame - target) <= kSeekThreshold) return std::nullopt;
  return target;
}

int64_t StepTarget(int64_t frame, int delta) {
  return std::max<int64_t>(0, frame + delta);
}

}  // namespace lumarte::video

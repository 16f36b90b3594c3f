#pragma once
// The video player's numbers: position texts, zoom steps, the display
// rectangle, the slider and the frame steps.
#include <cstdint>
#include <optional>
#include <string>

namespace lumarte::video {

inline constexpr float kMinZoom = 0.1f;
inline constexpr float kMaxZoom = 3.0f;
inline constexpr int kSliderMax = 1000;
// A slider move seeks only when it is this far from the played position,
// so that the position timer's own slider updates never seek.
inline constexpr int64_t kSeekThreshold = 50;

// mm:ss.mmm, minutes with at least two digits (65042 gives "01:05.042").
std::string TimeText(int64_t ms);

float ZoomIn(float zoom);
float ZoomOut(float zoom);

struct TDisplayRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

// The natural rectangle scaled from its top-left corner.
TDisplayRect ZoomedRect(const TDisplayRect& natural, float zoom);

// The slider position of a frame, 0..1000 (0 for a video without frames).
int SliderPosition(int64_t frame, int64_t lengthFrames);
// The position in milliseconds of a frame.
int64_t FramePositionMs(int64_t frame, int64_t lengthMs, int64_t lengthFrames);
// The frame the slider asks for, or nothing when the slider only follows
// the playing position.
std::optional<int64_t> SliderSeekTarget(int slider, int64_t frame, int64_t lengthFrames);
// A speed button's target: never before the first frame.
int64_t StepTarget(int64_t frame, int delta);

}  // namespace lumarte::video

// Feeds arbitrary bytes to the video decoder: container probing, the first
// frames and an exact seek.
#include <cstdint>

#include "FuzzLimits.h"
#include "imaging/Errors.h"
#include "platform/ffmpeg/VideoDecoder.h"

using lumarte::platform::TVideoDecoder;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LimitFuzzPictures();
  TVideoDecoder video;
  try {
    video.OpenMemory(data, size);
    if (video.Width() <= 0 || video.Height() <= 0) __builtin_trap();
    for (int i = 0; i < 4 && video.DecodeNext(); ++i) {
    }
    video.SeekTo(2);
    video.DecodeNext();
  } catch (const lumarte::ELumarteBase&) {
  }
  return 0;
}

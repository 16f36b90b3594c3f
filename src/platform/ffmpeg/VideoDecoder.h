#pragma once
// A video file read with FFmpeg: its length, and its frames in display order
// as 24-bit rasters, with exact seeks. One thread at a time.
#include <cstdint>
#include <memory>
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::platform {

extern const char* const kNoValidVideoFormat;

class TVideoDecoder {
 public:
  TVideoDecoder();
  ~TVideoDecoder();
  TVideoDecoder(const TVideoDecoder&) = delete;
  TVideoDecoder& operator=(const TVideoDecoder&) = delete;

  // Both raise "No valid video format." for anything without a decodable
  // video stream. The bytes must outlive the decoder.
  void Open(const std::string& fileName);
  void OpenMemory(const uint8_t* data, size_t size);

  int Width() const { return W; }
  int Height() const { return H; }
  double FrameRate() const { return Rate; }
  int64_t LengthFrames() const { return Frames; }
  int64_t LengthMs() const;

  // The next frame; false at the end of the stream. A damaged stream raises
  // ELumarteError naming the frame.
  bool DecodeNext();
  // Decodes from the key frame before the wanted one up to it. Past the end
  // of the stream the last decodable frame is held and false is given.
  bool SeekTo(int64_t frame);

  // The frame held, its number (-1 before the first).
  const editor::TBitmap& Frame() const { return Picture; }
  int64_t FrameIndex() const { return Index; }

 private:
  struct TState;
  void OpenInput();
  void SeekStream(int64_t frame);
  int64_t CountFrames();
  int64_t TimestampToFrame(int64_t ts) const;
  [[noreturn]] void Damaged() const;
  void Convert();
  std::unique_ptr<TState> S;
  int W = 0, H = 0;
  double Rate = 25;
  int64_t Frames = 0;
  int64_t Index = -1;
  editor::TBitmap Picture;
};

}  // namespace lumarte::platform

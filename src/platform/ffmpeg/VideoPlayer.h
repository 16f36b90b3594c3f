#pragma once
// The media player behind the video window: decodes on a worker thread and
// shows each frame at the video's frame rate. Audio is not played.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/ffmpeg/VideoDecoder.h"

namespace lumarte::platform {

enum class TPlayerMode { Stopped, Playing, Paused };

class TVideoPlayer {
 public:
  TVideoPlayer() = default;
  ~TVideoPlayer();
  TVideoPlayer(const TVideoPlayer&) = delete;
  TVideoPlayer& operator=(const TVideoPlayer&) = delete;

  // Raises "No valid video format."; the first frame is shown, stopped.
  void Open(const std::string& fileName);
  void Close();
  bool IsOpen() const { return Worker.joinable(); }

  int Width() const { return Decoder->Width(); }
  int Height() const { return Decoder->Height(); }
  int64_t LengthMs() const { return Decoder->LengthMs(); }
  int64_t LengthFrames() const { return Decoder->LengthFrames(); }

  // Playing from the end starts again at the first frame.
  void Play();
  // Pause and Stop return once no further frame will be shown.
  void Pause();
  void Resume();
  void Stop();
  // Returns once the frame is shown; the mode stays as it was.
  void Seek(int64_t frame);

  // The frame shown; the length once playing has reached the end.
  int64_t Position() const;
  TPlayerMode Mode() const;
  // Why playing stopped early (a damaged or short stream), else empty.
  std::string Status() const;
  std::shared_ptr<const editor::TBitmap> CurrentFrame() const;

  // Called on the worker thread after each new frame.
  std::function<void()> FrameShown;

 private:
  void Run();
  void PlayNext(std::unique_lock<std::mutex>& lock);
  void PlayStep(std::unique_lock<std::mutex>& lock);
  void DoSeek(std::unique_lock<std::mutex>& lock, int64_t frame);
  void Publish(std::unique_lock<std::mutex>& lock);
  void Fail(const std::string& message);
  void Halt(TPlayerMode mode);

  // Used by the worker only while it runs.
  std::unique_ptr<TVideoDecoder> Decoder = std::make_unique<TVideoDecoder>();
  std::thread Worker;
  mutable std::mutex Lock;
  std::condition_variable Wake;
  bool Quit = false;
  TPlayerMode Playing = TPlayerMode::Stopped;
  std::optional<int64_t> SeekRequest;
  uint64_t SeeksDone = 0, SeeksAsked = 0;
  int64_t Shown = 0;
  bool AtEnd = false;
  // The worker is between decoding a frame and showing it.
  bool Stepping = false;
  std::string Message;
  std::shared_ptr<const editor::TBitmap> Frame;
  // The clock of the running play: when which frame was due.
  std::optional<std::chrono::steady_clock::time_point> ClockStart;
  int64_t ClockFrame = 0;
};

}  // namespace lumarte::platform

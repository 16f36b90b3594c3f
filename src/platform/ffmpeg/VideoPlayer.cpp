#include "platform/ffmpeg/VideoPlayer.h"

#include <exception>

namespace lumarte::platform {

using Clock = std::chrono::steady_clock;

TVideoPlayer::~TVideoPlayer() {
  Close();
}

void TVideoPlayer::Open(const std::string& fileName) {
  Close();
  Decoder->Open(fileName);
  std::unique_lock lock(Lock);
  Quit = false;
  Playing = TPlayerMode::Stopped;
  Message.clear();
  Shown = 0;
  AtEnd = false;
  Frame = std::make_shared<editor::TBitmap>(Decoder->Width(), Decoder->Height());
  try {
    if (Decoder->DecodeNext()) {
      Frame = std::make_shared<editor::TBitmap>(Decoder->Frame());
      Shown = Decoder->FrameIndex();
    }
  } catch (const std::exception& e) {
    Message = e.what();
  }
  Worker = std::thread([this] { Run(); });
}

void TVideoPlayer::Close() {
  if (!Worker.joinable()) return;
  {
    std::lock_guard lock(Lock);
    Quit = true;
  }
  Wake.notify_all();
  Worker.join();
  Decoder = std::make_unique<TVideoDecoder>();
  std::lock_guard lock(Lock);
  Frame.reset();
  Playing = TPlayerMode::Stopped;
}

void TVideoPlayer::Play() {
  if (!IsOpen()) return;
  bool atEnd;
  {
    std::lock_guard lock(Lock);
    atEnd = AtEnd;
  }
  if (atEnd) Seek(0);
  {
    std::lock_guard lock(Lock);
    Playing = TPlayerMode::Playing;
    Message.clear();
    ClockStart.reset();
  }
  Wake.notify_all();
}

void TVideoPlayer::Halt(TPlayerMode mode) {
  std::unique_lock lock(Lock);
  if (mode == TPlayerMode::Stopped || Playing == TPlayerMode::Playing) Playing = mode;
  Wake.notify_all();
  Wake.wait(lock, [&] { return !Stepping; });
}

void TVideoPlayer::Pause() {
  Halt(TPlayerMode::Paused);
}

void TVideoPlayer::Resume() {
  {
    std::lock_guard lock(Lock);
    if (Playing != TPlayerMode::Paused) return;
    Playing = TPlayerMode::Playing;
    ClockStart.reset();
  }
  Wake.notify_all();
}

void TVideoPlayer::Stop() {
  Halt(TPlayerMode::Stopped);
}

void TVideoPlayer::Seek(int64_t frame) {
  if (!IsOpen()) return;
  std::unique_lock lock(Lock);
  SeekRequest = frame;
  uint64_t ticket = ++SeeksAsked;
  Wake.notify_all();
  Wake.wait(lock, [&] { return SeeksDone >= ticket || Quit; });
}

int64_t TVideoPlayer::Position() const {
  std::lock_guard lock(Lock);
  return Shown;
}

TPlayerMode TVideoPlayer::Mode() const {
  std::lock_guard lock(Lock);
  return Playing;
}

std::string TVideoPlayer::Status() const {
  std::lock_guard lock(Lock);
  return Message;
}

std::shared_ptr<const editor::TBitmap> TVideoPlayer::CurrentFrame() const {
  std::lock_guard lock(Lock);
  return Frame;
}

void TVideoPlayer::Run() {
  std::unique_lock lock(Lock);
  while (!Quit) {
    if (SeekRequest) {
      int64_t frame = *SeekRequest;
      SeekRequest.reset();
      DoSeek(lock, frame);
    } else if (Playing == TPlayerMode::Playing) {
      PlayNext(lock);
    } else {
      Wake.wait(lock, [&] { return Quit || SeekRequest || Playing == TPlayerMode::Playing; });
    }
  }
}

// Called with the lock held; decoding runs without it.
void TVideoPlayer::DoSeek(std::unique_lock<std::mutex>& lock, int64_t frame) {
  lock.unlock();
  std::string error;
  try {
    Decoder->SeekTo(frame);
  } catch (const std::exception& e) {
    error = e.what();
  }
  lock.lock();
  if (!error.empty()) Fail(error);
  AtEnd = false;
  Publish(lock);
  ClockStart.reset();
  // Only the newest request counts as done once no other is waiting.
  if (!SeekRequest) SeeksDone = SeeksAsked;
  Wake.notify_all();
}

void TVideoPlayer::PlayNext(std::unique_lock<std::mutex>& lock) {
  Stepping = true;
  PlayStep(lock);
  Stepping = false;
  Wake.notify_all();
}

void TVideoPlayer::PlayStep(std::unique_lock<std::mutex>& lock) {
  lock.unlock();
  bool got = false;
  std::string error;
  try {
    got = Decoder->DecodeNext();
  } catch (const std::exception& e) {
    error = e.what();
  }
  lock.lock();
  if (!error.empty()) {
    Fail(error);
    return;
  }
  if (!got) {
    int64_t last = Decoder->FrameIndex();
    if (last + 1 < Decoder->LengthFrames())
      Message = "The video ends after frame " + std::to_string(last + 1) + " of " +
                std::to_string(Decoder->LengthFrames()) + ".";
    Shown = Decoder->LengthFrames();
    AtEnd = true;
    Playing = TPlayerMode::Stopped;
    return;
  }
  Clock::time_point now = Clock::now();
  if (!ClockStart) {
    ClockStart = now;
    ClockFrame = Decoder->FrameIndex();
  }
  auto due = *ClockStart + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                               (Decoder->FrameIndex() - ClockFrame) / Decoder->FrameRate()));
  // A pause shows the decoded frame at once, so that the position and the
  // decoder agree.
  Wake.wait_until(lock, due, [&] {
    return Quit || SeekRequest.has_value() || Playing != TPlayerMode::Playing;
  });
  if (Quit || SeekRequest) return;
  Publish(lock);
}

void TVideoPlayer::Publish(std::unique_lock<std::mutex>& lock) {
  if (Decoder->FrameIndex() >= 0) {
    Frame = std::make_shared<editor::TBitmap>(Decoder->Frame());
    Shown = Decoder->FrameIndex();
  }
  if (!FrameShown) return;
  lock.unlock();
  FrameShown();
  lock.lock();
}

void TVideoPlayer::Fail(const std::string& message) {
  Message = message;
  Playing = TPlayerMode::Stopped;
}

}  // namespace lumarte::platform

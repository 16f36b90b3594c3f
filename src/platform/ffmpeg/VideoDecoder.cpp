#include "platform/ffmpeg/VideoDecoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include "imaging/CodecLimits.h"
#include "imaging/Errors.h"

namespace lumarte::platform {

const char* const kNoValidVideoFormat = "No valid video format.";

namespace {

// Larger pictures would ask for gigabytes per frame.
constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = int64_t(8192) * 8192;
constexpr int kAvioBufferSize = 32768;

struct TMemoryInput {
  const uint8_t* Data = nullptr;
  size_t Size = 0;
  size_t Pos = 0;
};

int ReadMemory(void* opaque, uint8_t* buf, int size) {
  auto* in = static_cast<TMemoryInput*>(opaque);
  size_t n = std::min(static_cast<size_t>(size), in->Size - in->Pos);
  if (n == 0) return AVERROR_EOF;
  std::memcpy(buf, in->Data + in->Pos, n);
  in->Pos += n;
  return static_cast<int>(n);
}

int64_t SeekMemory(void* opaque, int64_t offset, int whence) {
  auto* in = static_cast<TMemoryInput*>(opaque);
  if (whence == AVSEEK_SIZE) return static_cast<int64_t>(in->Size);
  int64_t base = 0;
  switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET: break;
    case SEEK_CUR: base = static_cast<int64_t>(in->Pos); break;
    case SEEK_END: base = static_cast<int64_t>(in->Size); break;
    default: return -1;
  }
  if (offset > static_cast<int64_t>(in->Size) - base || base + offset < 0) return -1;
  in->Pos = static_cast<size_t>(base + offset);
  return static_cast<int64_t>(in->Pos);
}

// FFmpeg's own messages would go to the terminal; failures are reported here.
const bool QuietLog = [] {
  av_log_set_level(AV_LOG_QUIET);
  return true;
}();

// FFmpeg's demuxers take what a damaged header claims (an AVI tag of 1.5 GB
// in a file of 256 bytes, cleared before it is read); no block needs to be
// larger than the widest frame we accept at 8 bytes a pixel.
void LimitAllocations() {
  static const bool limited = [] {
    const int64_t pixels = std::min(kMaxPixels, imaging::MaxImagePixels());
    av_max_alloc(static_cast<size_t>(pixels) * 8 + (size_t{16} << 20));
    return true;
  }();
  (void)limited;
}

}  // namespace

struct TVideoDecoder::TState {
  AVFormatContext* Format = nullptr;
  AVCodecContext* Codec = nullptr;
  AVIOContext* Io = nullptr;
  AVFrame* Decoded = nullptr;
  AVFrame* Scaled = nullptr;  // padded: swscale stores whole pixel groups past a row's end
  AVPacket* Packet = nullptr;
  SwsContext* Scaler = nullptr;
  TMemoryInput Memory;
  int Stream = -1;
  int64_t StartPts = 0;
  std::optional<int64_t> Origin;  // timestamp of frame 0
  bool InputEnded = false;

  ~TState() {
    sws_freeContext(Scaler);
    av_packet_free(&Packet);
    av_frame_free(&Decoded);
    av_frame_free(&Scaled);
    avcodec_free_context(&Codec);
    avformat_close_input(&Format);
    if (Io) av_freep(&Io->buffer);
    avio_context_free(&Io);
  }
  AVStream* VideoStream() const { return Format->streams[Stream]; }
};

TVideoDecoder::TVideoDecoder() = default;
TVideoDecoder::~TVideoDecoder() = default;

void TVideoDecoder::Open(const std::string& fileName) {
  (void)QuietLog;
  LimitAllocations();
  S = std::make_unique<TState>();
  if (avformat_open_input(&S->Format, fileName.c_str(), nullptr, nullptr) < 0) {
    S.reset();
    throw ELumarteError(kNoValidVideoFormat);
  }
  OpenInput();
}

void TVideoDecoder::OpenMemory(const uint8_t* data, size_t size) {
  LimitAllocations();
  S = std::make_unique<TState>();
  S->Memory = {data, size, 0};
  auto* buffer = static_cast<uint8_t*>(av_malloc(kAvioBufferSize));
  S->Io = avio_alloc_context(buffer, kAvioBufferSize, 0, &S->Memory, ReadMemory, nullptr,
                             SeekMemory);
  S->Format = avformat_alloc_context();
  if (!S->Io || !S->Format) {
    if (!S->Io) av_free(buffer);
    S.reset();
    throw ELumarteError(kNoValidVideoFormat);
  }
  S->Format->pb = S->Io;
  S->Format->flags |= AVFMT_FLAG_CUSTOM_IO;
  // A failed open frees the context it was given.
  if (avformat_open_input(&S->Format, nullptr, nullptr, nullptr) < 0) {
    S.reset();
    throw ELumarteError(kNoValidVideoFormat);
  }
  OpenInput();
}

void TVideoDecoder::OpenInput() {
  try {
    if (avformat_find_stream_info(S->Format, nullptr) < 0) throw ELumarteError(kNoValidVideoFormat);
    const AVCodec* codec = nullptr;
    S->Stream = av_find_best_stream(S->Format, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (S->Stream < 0 || !codec) throw ELumarteError(kNoValidVideoFormat);
    AVStream* st = S->VideoStream();
    W = st->codecpar->width;
    H = st->codecpar->height;
    const int64_t maxPixels = std::min(kMaxPixels, imaging::MaxImagePixels());
    if (W <= 0 || H <= 0 || W > kMaxSide || H > kMaxSide || int64_t(W) * H > maxPixels)
      throw ELumarteError(kNoValidVideoFormat);
    S->Codec = avcodec_alloc_context3(codec);
    S->Decoded = av_frame_alloc();
    S->Scaled = av_frame_alloc();
    S->Packet = av_packet_alloc();
    if (!S->Codec || !S->Decoded || !S->Scaled || !S->Packet ||
        avcodec_parameters_to_context(S->Codec, st->codecpar) < 0)
      throw ELumarteError(kNoValidVideoFormat);
    // One thread: frame threads in this FFmpeg abort the process on some
    // damaged MPEG-4 streams (found by the fuzz target).
    S->Codec->thread_count = 1;
    // Damage is reported rather than concealed: playing stops with a status.
    S->Codec->err_recognition |= AV_EF_EXPLODE;
    // A stream may change its frame size midway; the same limit holds there.
    S->Codec->max_pixels = maxPixels;
    if (avcodec_open2(S->Codec, codec, nullptr) < 0) throw ELumarteError(kNoValidVideoFormat);

    AVRational rate = av_guess_frame_rate(S->Format, st, nullptr);
    if (rate.num > 0 && rate.den > 0 && av_q2d(rate) <= 1000) Rate = av_q2d(rate);
    S->StartPts = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
    if (st->nb_frames > 0)
      Frames = st->nb_frames;
    else if (S->Format->duration_estimation_method == AVFMT_DURATION_FROM_STREAM &&
             st->duration > 0)
      Frames = std::llround(st->duration * av_q2d(st->time_base) * Rate);
    else
      Frames = CountFrames();
    S->Scaled->format = AV_PIX_FMT_BGR24;
    S->Scaled->width = W;
    S->Scaled->height = H;
    if (av_frame_get_buffer(S->Scaled, 64) < 0) throw ELumarteError(kNoValidVideoFormat);
    Picture.SetSize(W, H);
  } catch (...) {
    S.reset();
    throw;
  }
}

int64_t TVideoDecoder::TimestampToFrame(int64_t ts) const {
  return av_rescale_q_rnd(ts, S->VideoStream()->time_base, av_d2q(1.0 / Rate, 1 << 20),
                          static_cast<AVRounding>(AV_ROUND_NEAR_INF | AV_ROUND_PASS_MINMAX));
}

// Containers without a frame count (MPEG program streams) only estimate
// their length; their parsed packets are one frame each.
int64_t TVideoDecoder::CountFrames() {
  int64_t count = 0;
  while (av_read_frame(S->Format, S->Packet) >= 0) {
    count += S->Packet->stream_index == S->Stream;
    av_packet_unref(S->Packet);
  }
  if (av_seek_frame(S->Format, S->Stream, S->StartPts, AVSEEK_FLAG_BACKWARD) < 0)
    av_seek_frame(S->Format, S->Stream, 0, AVSEEK_FLAG_BYTE);
  return count;
}

int64_t TVideoDecoder::LengthMs() const {
  return std::llround(Frames * 1000.0 / Rate);
}

void TVideoDecoder::Damaged() const {
  throw ELumarteError("The video stream is damaged after frame " + std::to_string(Index + 1) +
                      "; playback stopped.");
}

void TVideoDecoder::Convert() {
  AVFrame* f = S->Decoded;
  if (f->width <= 0 || f->height <= 0 || f->format < 0) Damaged();
  S->Scaler = sws_getCachedContext(S->Scaler, f->width, f->height,
                                   static_cast<AVPixelFormat>(f->format), W, H, AV_PIX_FMT_BGR24,
                                   SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!S->Scaler) Damaged();
  // Scaling straight into the picture's tight rows would let the last row's
  // SIMD stores run past the end of its buffer.
  AVFrame* out = S->Scaled;
  if (sws_scale(S->Scaler, f->data, f->linesize, 0, f->height, out->data, out->linesize) <= 0)
    Damaged();
  for (int y = 0; y < H; ++y)
    std::memcpy(Picture.ScanLine(y), out->data[0] + static_cast<ptrdiff_t>(y) * out->linesize[0],
                Picture.BytesPerLine());
  // The first frame shown is frame 0, whatever delay the container's clock
  // starts with.
  int64_t ts = f->best_effort_timestamp;
  if (ts == AV_NOPTS_VALUE) {
    ++Index;
  } else {
    if (!S->Origin) S->Origin = ts;
    Index = TimestampToFrame(ts - *S->Origin);
  }
  av_frame_unref(f);
}

bool TVideoDecoder::DecodeNext() {
  if (!S) return false;
  for (;;) {
    int r = avcodec_receive_frame(S->Codec, S->Decoded);
    if (r == 0) {
      Convert();
      return true;
    }
    if (r == AVERROR_EOF) return false;
    if (r != AVERROR(EAGAIN)) Damaged();
    if (S->InputEnded) return false;
    r = av_read_frame(S->Format, S->Packet);
    if (r < 0) {
      // The end of the file, or a file cut short: what was read is shown.
      S->InputEnded = true;
      avcodec_send_packet(S->Codec, nullptr);
      continue;
    }
    bool ours = S->Packet->stream_index == S->Stream;
    if (ours) r = avcodec_send_packet(S->Codec, S->Packet);
    av_packet_unref(S->Packet);
    if (ours && r < 0 && r != AVERROR(EAGAIN)) Damaged();
  }
}

void TVideoDecoder::SeekStream(int64_t frame) {
  AVStream* st = S->VideoStream();
  int64_t ts = S->Origin.value_or(S->StartPts) +
               av_rescale_q(frame, av_d2q(1.0 / Rate, 1 << 20), st->time_base);
  if (av_seek_frame(S->Format, S->Stream, ts, AVSEEK_FLAG_BACKWARD) < 0 && frame == 0)
    av_seek_frame(S->Format, S->Stream, 0, AVSEEK_FLAG_BYTE);
  avcodec_flush_buffers(S->Codec);
  S->InputEnded = false;
  Index = -1;
}

bool TVideoDecoder::SeekTo(int64_t frame) {
  if (!S) return false;
  frame = std::max<int64_t>(frame, 0);
  if (!S->Origin) DecodeNext();
  // Containers that seek by time may land after the key frame that the
  // wanted frame needs: step back further until decoding starts early enough.
  for (int64_t back = 0;; back = back * 2 + 16) {
    int64_t from = std::max<int64_t>(frame - back, 0);
    SeekStream(from);
    if (!DecodeNext()) {
      if (from == 0) return false;
      continue;
    }
    if (Index > frame && from > 0) continue;
    // A failed decode leaves the last frame and its number in place.
    while (Index < frame)
      if (!DecodeNext()) return false;
    return true;
  }
}

}  // namespace lumarte::platform

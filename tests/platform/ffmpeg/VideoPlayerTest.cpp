#include <gtest/gtest.h>

#include <thread>

#include "platform/ffmpeg/VideoDecoder.h"
#include "platform/ffmpeg/VideoPlayer.h"
#include "support/ErrorMessage.h"
#include "support/TempFolder.h"
#include "support/TestVideos.h"

using namespace lumarte;
using namespace lumarte::fixtures;
using namespace lumarte::platform;

namespace {

struct VideoKind {
  const char* Name;
  const char* Codec;
};

// Made once per run: ffmpeg takes a moment each.
const std::string& VideoFile(const VideoKind& kind) {
  static TempFolder folder;
  static std::map<std::string, std::string> made;
  auto& file = made[kind.Name];
  if (file.empty()) {
    file = folder.File(kind.Name);
    if (!MakeTestVideo(file, kind.Codec)) file = "(ffmpeg failed)";
  }
  return file;
}

const VideoKind kMjpeg{"mjpeg.avi", "-c:v mjpeg -q:v 3"};

bool WaitFor(const std::function<bool()>& done, int ms) {
  for (int i = 0; i < ms / 5 && !done(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return done();
}

}  // namespace

class VideoFormatTest : public ::testing::TestWithParam<VideoKind> {};

TEST_P(VideoFormatTest, SizeAndLengthThenEveryFrameInOrderThenTheEnd) {
  TVideoDecoder d;
  d.Open(VideoFile(GetParam()));
  EXPECT_EQ(d.Width(), kVideoWidth);
  EXPECT_EQ(d.Height(), kVideoHeight);
  EXPECT_EQ(d.LengthFrames(), kVideoFrames);
  EXPECT_EQ(d.LengthMs(), 2000);
  for (int n = 0; n < kVideoFrames; ++n) {
    ASSERT_TRUE(d.DecodeNext()) << n;
    ASSERT_EQ(d.FrameIndex(), n);
    ASSERT_EQ(FrameNumberShown(d.Frame()), n);
  }
  EXPECT_FALSE(d.DecodeNext());
}

TEST_P(VideoFormatTest, SeekShowsTheWantedFrame) {
  TVideoDecoder d;
  d.Open(VideoFile(GetParam()));
  // Forward past key frames, back to the start, and between B-frames.
  for (int n : {37, 0, 23, 22, 49, 1, 11}) {
    ASSERT_TRUE(d.SeekTo(n)) << n;
    EXPECT_EQ(d.FrameIndex(), n);
    EXPECT_EQ(FrameNumberShown(d.Frame()), n) << "seek to " << n;
  }
  // Past the end the last frame stays.
  EXPECT_FALSE(d.SeekTo(70));
  EXPECT_EQ(FrameNumberShown(d.Frame()), kVideoFrames - 1);
}

TEST_P(VideoFormatTest, PlayerPlaysToTheEndAndAgain) {
  TVideoPlayer p;
  std::atomic<int> shown = 0;
  p.FrameShown = [&] { ++shown; };
  p.Open(VideoFile(GetParam()));
  EXPECT_EQ(p.Position(), 0);
  p.Seek(40);
  EXPECT_EQ(FrameNumberShown(*p.CurrentFrame()), 40);
  p.Play();
  ASSERT_TRUE(WaitFor([&] { return p.Mode() == TPlayerMode::Stopped; }, 3000));
  EXPECT_EQ(p.Position(), kVideoFrames);
  EXPECT_GE(shown, 10);
  EXPECT_EQ(p.Status(), "");
  // Playing from the end starts over; a pause holds the frame shown.
  p.Play();
  ASSERT_TRUE(WaitFor([&] { return p.Position() >= 3; }, 2000));
  p.Pause();
  int64_t at = p.Position();
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  EXPECT_EQ(p.Position(), at);
  EXPECT_LT(at, kVideoFrames);
  EXPECT_EQ(FrameNumberShown(*p.CurrentFrame()), at);
}

INSTANTIATE_TEST_SUITE_P(Formats, VideoFormatTest,
                         ::testing::Values(VideoKind{"mpeg1.mpg", "-c:v mpeg1video -g 12 -bf 2 -q:v 3"},
                                           kMjpeg,
                                           VideoKind{"mpeg4.avi", "-c:v mpeg4 -g 10 -bf 2 -q:v 3"},
                                           VideoKind{"h264.mkv", "-c:v libx264 -g 15 -crf 18"},
                                           VideoKind{"vp9.webm", "-c:v libvpx-vp9 -g 15 -crf 20 -b:v 0"}),
                         [](const auto& info) {
                           std::string n = info.param.Name;
                           return n.substr(0, n.find('.'));
                         });

TEST(VideoOpenTest, NotAVideoIsRefused) {
  TempFolder folder;
  const std::string file = folder.Write("x.avi", "RIFF....AVI LIST but nothing else");
  TVideoPlayer p;
  EXPECT_EQ(Message([&] { p.Open(file); }), "No valid video format.");
  EXPECT_EQ(Message([&] { p.Open(folder.File("missing.mpg")); }), "No valid video format.");
  EXPECT_FALSE(p.IsOpen());
}

TEST(VideoOpenTest, TruncatedFileEndsEarlyWithAStatus) {
  TempFolder folder;
  std::string cut = folder.File("cut.avi");
  Truncate(VideoFile(kMjpeg), cut, 0.5);
  TVideoPlayer p;
  p.Open(cut);
  p.Seek(45);  // beyond what is left: the last decodable frame
  int64_t last = p.Position();
  EXPECT_LT(last, 45);
  EXPECT_EQ(FrameNumberShown(*p.CurrentFrame()), last);
  p.Seek(0);
  p.Play();
  ASSERT_TRUE(WaitFor([&] { return p.Mode() == TPlayerMode::Stopped; }, 3000));
  // Either the end comes early or the cut frame is damaged: both name it.
  EXPECT_NE(p.Status().find("after frame " + std::to_string(last + 1)), std::string::npos)
      << p.Status();
}

TEST(VideoOpenTest, DamagedStreamStopsWithAStatus) {
  TempFolder folder;
  std::string bytes = TempFolder::Read(VideoFile(kMjpeg));
  // Noise over the middle of the file, where frame data lies.
  for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 4000; ++i) bytes[i] = char(i * 7919 >> 3);
  TVideoPlayer p;
  p.Open(folder.Write("bad.avi", bytes));
  p.Play();
  ASSERT_TRUE(WaitFor([&] { return p.Mode() == TPlayerMode::Stopped; }, 3000));
  EXPECT_NE(p.Status(), "");
}

#pragma once
// Small videos made with the ffmpeg command: every frame shows its number
// as digits and, for the tests, as eight black or white stripes at the top
// (bit i of the number in stripe i, 20 pixels wide each).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::fixtures {

inline constexpr int kVideoWidth = 160;
inline constexpr int kVideoHeight = 120;
inline constexpr int kVideoFrames = 50;  // 2 seconds at 25 frames a second

// codec options for ffmpeg, e.g. "-c:v mjpeg -q:v 3"; true when made.
inline bool MakeTestVideo(const std::string& file, const std::string& codec) {
  std::string pattern =
      "color=c=gray:s=160x120:r=25:d=2,format=yuv420p,"
      "geq=lum='if(lt(Y\\,40)\\,255*bitand(floor(N/pow(2\\,floor(X/20)))\\,1)\\,128)':cb=128:cr=128,"
      "drawtext=fontfile=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf:text='%{n}':"
      "x=60:y=60:fontsize=40:fontcolor=white";
  std::string command = "ffmpeg -nostdin -v error -y -f lavfi -i \"" + pattern + "\" " + codec +
                        " \"" + file + "\"";
  return std::system(command.c_str()) == 0 && std::filesystem::exists(file);
}

// The number the stripes of a shown frame give; -1 when a stripe is unclear.
inline int FrameNumberShown(const editor::TBitmap& frame) {
  int n = 0;
  for (int bit = 0; bit < 8; ++bit) {
    const uint8_t* p = frame.ScanLine(20) + (bit * 20 + 10) * 3;
    int grey = (p[0] + p[1] + p[2]) / 3;
    if (grey > 80 && grey < 176) return -1;
    if (grey >= 176) n |= 1 << bit;
  }
  return n;
}

// The first part of a file, as a download cut short leaves it.
inline void Truncate(const std::string& from, const std::string& to, double part) {
  std::ifstream in(from, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  std::ofstream(to, std::ios::binary).write(bytes.data(),
                                            static_cast<std::streamsize>(bytes.size() * part));
}

}  // namespace lumarte::fixtures

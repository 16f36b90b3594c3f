#pragma once
// A small distinct picture written in the format its file name asks for
// (PNG, BMP, else JPEG).
#include <string>

#include "editor/model/DocumentCodecs.h"
#include "support/DistinctPattern.h"

namespace lumarte::fixtures {

inline std::string WritePicture(const std::string& path, int w, int h) {
  const editor::TBitmap b = DistinctPattern(w, h);
  if (path.ends_with(".png"))
    editor::WritePngFile(path, b, false, editor::clBlack);
  else if (path.ends_with(".bmp"))
    editor::WriteBmpFile(path, b, 24);
  else
    editor::WriteJpegFile(path, b, 90, false);
  return path;
}

}  // namespace lumarte::fixtures

#include "editor/model/Placeholder.h"

#include "editor/model/RasterConversion.h"
#include "imaging/RevedBitmap.h"
#include "imaging/Streams.h"

namespace lumarte::editor {

TBitmap GeneratedPlaceholder() {
  constexpr int kWidth = 480, kHeight = 360;
  TBitmap picture(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    uint8_t* p = picture.ScanLine(y);
    for (int x = 0; x < kWidth; ++x, p += 3) {
      // A quiet diagonal shade from light to mid grey-blue.
      int t = (x + y) * 64 / (kWidth + kHeight);
      p[0] = static_cast<uint8_t>(214 - t);
      p[1] = static_cast<uint8_t>(206 - t);
      p[2] = static_cast<uint8_t>(200 - t);
    }
  }
  return picture;
}

TBitmap LoadPlaceholderPicture(const std::string& programFolder) {
  try {
    imaging::TFileStream stream(programFolder + "Lumarte.dwf",
                                imaging::fmRead | imaging::fmShareRead);
    imaging::TRevedBitmap buffer;
    buffer.LoadFromStream(stream, "JPG");
    TBitmap picture;
    AssignTo(buffer, picture);
    if (!picture.Empty()) return picture;
  } catch (const std::exception&) {
    // A missing or broken picture file is no reason not to start.
  }
  return GeneratedPlaceholder();
}

}  // namespace lumarte::editor

#include "editor/model/ProgramPictures.h"

#include <new>

#include "editor/model/RasterConversion.h"
#include "imaging/Errors.h"
#include "imaging/RevedBitmap.h"
#include "imaging/Streams.h"

namespace lumarte::editor {

namespace {

struct Signature {
  const char* Bytes;
  size_t Length;
  const char* Ext;
};

constexpr Signature kSignatures[] = {
    {"BM", 2, "BMP"},
    {"\xFF\xD8\xFF", 3, "JPG"},
    {"\x89PNG\r\n\x1A\n", 8, "PNG"},
    {"GIF8", 4, "GIF"},
};

// The program pictures are small; a huge file there is not one of them.
constexpr int64_t kMaxPictureFileSize = 64 << 20;

}  // namespace

std::string SniffImageExtension(const std::string& head) {
  for (const auto& s : kSignatures)
    if (head.compare(0, s.Length, s.Bytes, s.Length) == 0) return s.Ext;
  return {};
}

TBitmap NeutralPicture(int width, int height) {
  TBitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    auto level = static_cast<uint8_t>(208 + 32 * y / (height > 1 ? height - 1 : 1));
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, RGBColor(level, level, level));
  }
  return picture;
}

TBitmap LoadProgramPicture(const std::string& fileName) {
  try {
    imaging::TFileStream file(fileName, imaging::fmRead);
    if (file.Size() > kMaxPictureFileSize) return NeutralPicture();
    file.SetExactCount(false);
    std::string head(8, '\0');
    head.resize(file.Read(head.data(), head.size()));
    std::string ext = SniffImageExtension(head);
    if (ext.empty()) return NeutralPicture();
    file.Seek(0);
    file.SetExactCount(true);
    imaging::TRevedBitmap buffer;
    buffer.LoadFromStream(file, ext);
    TBitmap picture;
    AssignTo(buffer, picture);
    return picture.Empty() ? NeutralPicture() : picture;
  } catch (const ELumarteBase&) {
    return NeutralPicture();
  } catch (const std::bad_alloc&) {
    return NeutralPicture();
  }
}

}  // namespace lumarte::editor

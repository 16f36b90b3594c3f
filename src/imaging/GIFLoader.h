#pragma once
// GIF files: a reader of GIF87a/GIF89a that keeps the list of frames and
// composes them on the logical screen, the writer of one or more frames, and
// the registered codec that adapts both to the pixel buffer.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

// A colour table as read from the file, stored like the pixel buffer's
// palette (blue, green, red); entries past Count are black.
struct TGIFColorTable {
  TPalette Colors{};
  int Count = 0;
};

enum TGIFDisposal : uint8_t {
  gdNone = 0,
  gdLeave = 1,
  gdRestoreBackground = 2,
  gdRestorePrevious = 3
};

// One image of the file. The LZW data are kept as read and decoded on demand,
// so a long animation costs no more memory than its file.
struct TGIFFrame {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Interlaced = false;
  int Delay = 0;  // milliseconds
  TGIFDisposal Disposal = gdNone;
  int TransparentIndex = -1;  // -1: no transparent colour
  // The frame's own table, or the global one, or an all-black table of 256
  // entries when the file has neither.
  std::shared_ptr<const TGIFColorTable> Table;
  int MinCodeSize = 0;
  std::vector<uint8_t> Data;  // LZW codes, sub-blocks joined
};

class TGIFImage {
 public:
  // Screens and frames above this many pixels are refused before anything is
  // allocated for them.
  int64_t MaxPixels = int64_t{1} << 28;
  static constexpr int kMaxFrameSide = 16384;

  std::string Version;  // "87a" or "89a"
  int ScreenWidth = 0, ScreenHeight = 0;
  int BackgroundIndex = 0;
  int LoopCount = -1;  // NETSCAPE2.0 loop count; -1 when absent
  std::shared_ptr<const TGIFColorTable> GlobalTable;
  std::vector<TGIFFrame> Frames;

  // Reads the block structure of the whole file; EFormatError for broken
  // files. Pixels are decoded later, so faults in the LZW data surface from
  // DecodeFrame, FirstPicture and Compose.
  void LoadFromStream(TBaseStream& stream);

  // The colour indices of a frame, Width*Height bytes in display row order.
  // Pixels the data leave out keep the transparent index (else 0).
  std::vector<uint8_t> DecodeFrame(size_t index) const;
  // The first frame placed on the logical screen as an 8-bit picture with the
  // frame's colour table. Screen parts the frame leaves uncovered take the
  // transparent index, else the background index.
  void FirstPicture(TRevedBitmap& picture) const;
  // Frames 0..index composed by their disposal on a 24-bit screen that starts
  // in the background colour; transparent pixels leave what lies below.
  void Compose(size_t index, TRevedBitmap& picture) const;

  // What documents take over: whether the first frame marks a transparent
  // colour, and that colour as 0x00BBGGRR.
  bool HasTransparency() const;
  uint32_t TransparentColor() const;

 private:
  void ReadBlocks(TBaseStream& in);
  void ReadImage(TBaseStream& in, TGIFFrame pending);
  void CheckSize(int64_t width, int64_t height) const;
  uint32_t BackgroundColor() const;
};

// Decodes GIF LZW codes into out (outSize pixels). Literal codes at or above
// colorCount, codes beyond the table and broken code sizes raise EFormatError.
// Returns the number of pixels written; decoding stops when out is full.
size_t DecodeLZW(const uint8_t* data, size_t size, int minCodeSize, int colorCount, uint8_t* out,
                 size_t outSize);

// Row order of an interlaced image: element i is the display row of the i-th
// stored row.
std::vector<int> InterlacedRowOrder(int height);

// ---- writer ----

struct TGIFWriterFrame {
  const TRevedBitmap* Bitmap = nullptr;  // 8 or 24 bit
  int Left = 0, Top = 0;
  int Delay = 0;  // milliseconds
  bool Interlaced = false;
  bool Transparent = false;
  uint32_t TransparentColor = 0;  // 0x00BBGGRR
  int Disposal = 0;
  std::string Comment;
};

struct TGIFWriterSettings {
  int LoopCount = 0;  // written only for more than one frame
  bool UseGlobalTable = false;
};

// The comment written before the trailer of every file we make.
extern const char* const kGIFCreditText;

// Writes the frames as one GIF file. Returns false, writing nothing, when a
// frame has more than 256 colours.
bool WriteGIF(TBaseStream& stream, const std::vector<TGIFWriterFrame>& frames,
              const TGIFWriterSettings& settings);

// Encodes indices (each below 2^minCodeSize) as GIF LZW codes in sub-blocks,
// the code-size byte first and the zero-length block last.
void EncodeLZW(const uint8_t* indices, size_t count, int minCodeSize, std::string& out);

// ---- codec ----

class TGifLoader : public TBitmapLoader {
 public:
  bool CanLoad(const std::string& ext) override { return ExtIn(ext, {"GIF"}); }
  bool CanSave(const std::string& ext) override { return ExtIn(ext, {"GIF"}); }
  std::string GetLoadFilter() override { return "GIF Image (*.gif)|*.gif"; }
  void LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
  // More than 256 colours: nothing is written and no error is raised.
  void SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
};

TGifLoader& GifLoader();

// Saves one frame to fileName. A picture of more than 256 colours is first
// reduced with the colour reduction. Returns whether the file was written.
bool SaveGIF(const std::string& fileName, const TRevedBitmap& bitmap, bool interlaced,
             bool transparent, uint32_t transparentColor);

}  // namespace lumarte::imaging

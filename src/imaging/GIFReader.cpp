// Reading the block structure of a GIF file into the frame list.
#include <algorithm>
#include <cstring>

#include "imaging/BufStream.h"
#include "imaging/Endian.h"
#include "imaging/GIFLoader.h"

namespace lumarte::imaging {

namespace {

constexpr uint8_t kImageSeparator = 0x2C, kExtension = 0x21, kTrailer = 0x3B;
constexpr uint8_t kGraphicControl = 0xF9, kApplication = 0xFF;

// Graphic control data waiting for the next image.
struct TPendingControl {
  int Delay = 0;
  TGIFDisposal Disposal = gdNone;
  int TransparentIndex = -1;
};

std::shared_ptr<TGIFColorTable> ReadColorTable(TBaseStream& in, int flags) {
  auto table = std::make_shared<TGIFColorTable>();
  table->Count = 1 << ((flags & 7) + 1);
  uint8_t rgb[768];
  in.ReadExact(rgb, static_cast<size_t>(3 * table->Count));
  for (int i = 0; i < table->Count; ++i) {
    table->Colors[3 * i] = rgb[3 * i + 2];
    table->Colors[3 * i + 1] = rgb[3 * i + 1];
    table->Colors[3 * i + 2] = rgb[3 * i];
  }
  return table;
}

// Appends the payload of data sub-blocks up to the zero-length block.
void ReadSubBlocks(TBaseStream& in, std::vector<uint8_t>* dest) {
  uint8_t block[255];
  for (;;) {
    uint8_t n = in.ReadByte();
    if (n == 0) return;
    in.ReadExact(block, n);
    if (dest) dest->insert(dest->end(), block, block + n);
  }
}

TGIFDisposal DisposalOf(int stored) {
  switch (stored) {
    case 0:
      return gdNone;
    case 1:
      return gdLeave;
    case 3:
      return gdRestorePrevious;
    default:
      return gdRestoreBackground;
  }
}

void ReadGraphicControl(TBaseStream& in, TPendingControl& control) {
  std::vector<uint8_t> data;
  ReadSubBlocks(in, &data);
  if (data.size() < 4) return;  // too short to mean anything
  control.Disposal = DisposalOf((data[0] >> 2) & 7);
  control.Delay = LittleEndian16(&data[1]) * 10;
  control.TransparentIndex = (data[0] & 1) ? data[3] : -1;
}

// NETSCAPE2.0 carries the loop count in a sub-block starting with 1.
void ReadApplication(TBaseStream& in, int& loopCount) {
  std::vector<uint8_t> id;
  uint8_t n = in.ReadByte();
  if (n == 0) return;
  id.resize(n);
  in.ReadExact(id.data(), n);
  bool netscape = n == 11 && std::memcmp(id.data(), "NETSCAPE2.0", 11) == 0;
  std::vector<uint8_t> data;
  ReadSubBlocks(in, netscape ? &data : nullptr);
  if (netscape && data.size() >= 3 && data[0] == 1) loopCount = LittleEndian16(&data[1]);
}

}  // namespace

void TGIFImage::CheckSize(int64_t width, int64_t height) const {
  if (width <= 0 || height <= 0 || width * height > MaxPixels)
    throw EFormatError("Invalid GIF image size");
}

void TGIFImage::LoadFromStream(TBaseStream& stream) {
  int64_t limit = MaxPixels;
  *this = TGIFImage();
  MaxPixels = limit;
  TBufferedStream in(-1, &stream, 0);
  char header[6];
  in.ReadExact(header, 6);
  if (std::memcmp(header, "GIF87a", 6) != 0 && std::memcmp(header, "GIF89a", 6) != 0)
    throw EFormatError("Invalid GIF header");
  Version.assign(header + 3, 3);
  ScreenWidth = in.ReadWordLE();
  ScreenHeight = in.ReadWordLE();
  CheckSize(ScreenWidth, ScreenHeight);
  uint8_t flags = in.ReadByte();
  BackgroundIndex = in.ReadByte();
  in.ReadByte();  // aspect ratio
  if (flags & 0x80) GlobalTable = ReadColorTable(in, flags);
  ReadBlocks(in);
  if (Frames.empty()) throw EFormatError("GIF file contains no image");
}

void TGIFImage::ReadBlocks(TBaseStream& in) {
  TPendingControl control;
  for (;;) {
    // A file that ends where a block would start has merely lost its trailer.
    if (in.Available() <= 0) return;
    uint8_t introducer = in.ReadByte();
    if (introducer == kTrailer) return;
    if (introducer == kImageSeparator) {
      TGIFFrame frame;
      frame.Delay = control.Delay;
      frame.Disposal = control.Disposal;
      frame.TransparentIndex = control.TransparentIndex;
      ReadImage(in, std::move(frame));
      control = TPendingControl{};
    } else if (introducer == kExtension) {
      uint8_t label = in.ReadByte();
      if (label == kGraphicControl) {
        ReadGraphicControl(in, control);
      } else if (label == kApplication) {
        ReadApplication(in, LoopCount);
      } else {
        ReadSubBlocks(in, nullptr);  // comments, plain text, unknown
      }
    } else {
      throw EFormatError("Invalid GIF block");
    }
  }
}

void TGIFImage::ReadImage(TBaseStream& in, TGIFFrame frame) {
  frame.Left = in.ReadWordLE();
  frame.Top = in.ReadWordLE();
  frame.Width = in.ReadWordLE();
  frame.Height = in.ReadWordLE();
  if (frame.Width > kMaxFrameSide || frame.Height > kMaxFrameSide)
    throw EFormatError("Invalid GIF image size");
  CheckSize(frame.Width, frame.Height);
  uint8_t flags = in.ReadByte();
  frame.Interlaced = flags & 0x40;
  if (flags & 0x80) {
    frame.Table = ReadColorTable(in, flags);
  } else if (GlobalTable) {
    frame.Table = GlobalTable;
  } else {
    static const auto blank = std::make_shared<const TGIFColorTable>(TGIFColorTable{{}, 256});
    frame.Table = blank;
  }
  frame.MinCodeSize = in.ReadByte();
  // Room for the whole frame at once: its codes need at most about two bytes
  // per pixel, and never more than the stream still holds.
  int64_t bound = int64_t{frame.Width} * frame.Height * 2 + 1024;
  frame.Data.reserve(static_cast<size_t>(std::clamp<int64_t>(in.Available(), 0, bound)));
  ReadSubBlocks(in, &frame.Data);
  Frames.push_back(std::move(frame));
}

std::vector<uint8_t> TGIFImage::DecodeFrame(size_t index) const {
  const TGIFFrame& f = Frames.at(index);
  size_t count = static_cast<size_t>(f.Width) * static_cast<size_t>(f.Height);
  uint8_t fill = static_cast<uint8_t>(f.TransparentIndex >= 0 ? f.TransparentIndex : 0);
  std::vector<uint8_t> pixels(count, fill);
  if (!f.Interlaced) {
    DecodeLZW(f.Data.data(), f.Data.size(), f.MinCodeSize, f.Table->Count, pixels.data(), count);
    return pixels;
  }
  std::vector<uint8_t> stored(count, fill);
  DecodeLZW(f.Data.data(), f.Data.size(), f.MinCodeSize, f.Table->Count, stored.data(), count);
  std::vector<int> order = InterlacedRowOrder(f.Height);
  for (size_t i = 0; i < order.size(); ++i)
    std::memcpy(&pixels[static_cast<size_t>(order[i]) * f.Width], &stored[i * f.Width],
                static_cast<size_t>(f.Width));
  return pixels;
}

bool TGIFImage::HasTransparency() const {
  return !Frames.empty() && Frames[0].TransparentIndex >= 0;
}

uint32_t TGIFImage::TransparentColor() const {
  if (!HasTransparency()) return 0;
  const uint8_t* c = &Frames[0].Table->Colors[3 * Frames[0].TransparentIndex];
  return c[2] | c[1] << 8 | c[0] << 16;
}

}  // namespace lumarte::imaging

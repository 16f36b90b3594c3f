// Writing frames as a GIF89a file.
#include <algorithm>
#include <cstring>

#include "imaging/GIFLoader.h"

namespace lumarte::imaging {

const char* const kGIFCreditText = "Created with Lumarte";

namespace {

// Colours in the order they were first met, keyed as 0x00BBGGRR.
class TColorCollector {
 public:
  TColorCollector() { std::fill(std::begin(Slots), std::end(Slots), -1); }

  // The table index of color, added when new; -1 once the table would
  // exceed 256 colours.
  int IndexOf(uint32_t color) {
    unsigned h = (color * 2654435761u) >> 22;  // 10 bits
    for (;; h = (h + 1) & 1023) {
      int s = Slots[h];
      if (s < 0) break;
      if (Colors[static_cast<size_t>(s)] == color) return s;
    }
    if (Colors.size() == 256) return -1;
    Slots[h] = static_cast<int16_t>(Colors.size());
    Colors.push_back(color);
    return Slots[h];
  }

  // The table size exponent b: 2^b entries hold every colour, b at least 1.
  int Bits() const {
    int b = 1;
    while ((size_t{1} << b) < Colors.size()) ++b;
    return b;
  }

  std::vector<uint32_t> Colors;

 private:
  int16_t Slots[1024];
};

uint32_t PixelColor(const TRevedBitmap& bmp, const uint8_t* row, int x) {
  const uint8_t* c = bmp.PixelFormat == pf24bit ? row + 3 * x : &(*bmp.Palette)[3 * row[x]];
  return c[2] | c[1] << 8 | c[0] << 16;
}

// The frame's pixels as table indices in the order they are written. False
// when the colours do not fit.
bool CollectFrame(const TRevedBitmap& bmp, bool interlaced, TColorCollector& table,
                  std::vector<uint8_t>& indices) {
  indices.resize(static_cast<size_t>(bmp.Width) * bmp.Height);
  std::vector<int> rows;
  if (interlaced) rows = InterlacedRowOrder(bmp.Height);
  // Paletted pictures look up each palette entry once.
  int byEntry[256];
  std::fill(std::begin(byEntry), std::end(byEntry), -1);
  uint8_t* out = indices.data();
  for (int i = 0; i < bmp.Height; ++i) {
    const uint8_t* row = bmp.ScanLine(interlaced ? rows[static_cast<size_t>(i)] : i);
    for (int x = 0; x < bmp.Width; ++x) {
      int index;
      if (bmp.PixelFormat == pf8bit && byEntry[row[x]] >= 0) {
        index = byEntry[row[x]];
      } else {
        index = table.IndexOf(PixelColor(bmp, row, x));
        if (index < 0) return false;
        if (bmp.PixelFormat == pf8bit) byEntry[row[x]] = index;
      }
      *out++ = static_cast<uint8_t>(index);
    }
  }
  return true;
}

struct TPreparedFrame {
  const TGIFWriterFrame* Source;
  const TColorCollector* Table;  // nullptr: the global table
  std::vector<uint8_t> Indices;
  int TransparentIndex = -1;
};

void Put16(std::string& out, int v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void PutTable(std::string& out, const TColorCollector& table) {
  size_t entries = size_t{1} << table.Bits();
  for (size_t i = 0; i < entries; ++i) {
    uint32_t c = i < table.Colors.size() ? table.Colors[i] : 0;
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>((c >> 8) & 0xFF));
    out.push_back(static_cast<char>((c >> 16) & 0xFF));
  }
}

void PutComment(std::string& out, const std::string& text) {
  out += "\x21\xFE";
  for (size_t p = 0; p < text.size(); p += 255) {
    size_t n = std::min<size_t>(255, text.size() - p);
    out.push_back(static_cast<char>(n));
    out.append(text, p, n);
  }
  out.push_back(0);
}

void PutLoopExtension(std::string& out, int loopCount) {
  out += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
  Put16(out, loopCount);
  out.push_back(0);
}

void PutGraphicControl(std::string& out, const TPreparedFrame& f) {
  static constexpr uint8_t kDisposalFlags[4] = {0, 4, 8, 12};
  int d = f.Source->Disposal;
  uint8_t flags = d >= 1 && d <= 3 ? kDisposalFlags[d] : 0;
  if (f.TransparentIndex >= 0) flags |= 1;
  out += "\x21\xF9\x04";
  out.push_back(static_cast<char>(flags));
  Put16(out, f.Source->Delay / 10);
  out.push_back(static_cast<char>(std::max(f.TransparentIndex, 0)));
  out.push_back(0);
}

void PutImage(std::string& out, const TPreparedFrame& f, const TColorCollector& table) {
  const TRevedBitmap& bmp = *f.Source->Bitmap;
  out.push_back(0x2C);
  Put16(out, f.Source->Left);
  Put16(out, f.Source->Top);
  Put16(out, bmp.Width);
  Put16(out, bmp.Height);
  uint8_t flags = f.Source->Interlaced ? 64 : 0;
  if (f.Table) flags |= static_cast<uint8_t>(128 + table.Bits() - 1);
  out.push_back(static_cast<char>(flags));
  if (f.Table) PutTable(out, table);
  EncodeLZW(f.Indices.data(), f.Indices.size(), std::max(table.Bits(), 2), out);
}

int FindTransparent(const TGIFWriterFrame& f, const TColorCollector& table) {
  if (!f.Transparent) return -1;
  auto it = std::find(table.Colors.begin(), table.Colors.end(), f.TransparentColor & 0xFFFFFF);
  return it == table.Colors.end() ? -1 : static_cast<int>(it - table.Colors.begin());
}

// Step 1: every frame's colours, in one shared table when asked and possible.
bool Prepare(const std::vector<TGIFWriterFrame>& frames, bool shared, TColorCollector& global,
             std::vector<TColorCollector>& locals, std::vector<TPreparedFrame>& prepared) {
  locals.resize(shared ? 0 : frames.size());
  prepared.clear();
  for (size_t i = 0; i < frames.size(); ++i) {
    TColorCollector& table = shared ? global : locals[i];
    TPreparedFrame p{&frames[i], shared ? nullptr : &table, {}, -1};
    if (!CollectFrame(*frames[i].Bitmap, frames[i].Interlaced, table, p.Indices)) return false;
    prepared.push_back(std::move(p));
  }
  for (auto& p : prepared)
    p.TransparentIndex = FindTransparent(*p.Source, p.Table ? *p.Table : global);
  return true;
}

}  // namespace

bool WriteGIF(TBaseStream& stream, const std::vector<TGIFWriterFrame>& frames,
              const TGIFWriterSettings& settings) {
  if (frames.empty()) return false;
  for (const auto& f : frames) {
    if (!f.Bitmap || !f.Bitmap->Present) throw ERevedBitmap("Unsupported pixel format");
    // Positions and sizes are 16-bit fields in the file.
    if (f.Left < 0 || f.Top < 0 || f.Left + int64_t{f.Bitmap->Width} > 65535 ||
        f.Top + int64_t{f.Bitmap->Height} > 65535)
      throw ERevedBitmap("Invalid bitmap size");
  }
  bool many = frames.size() > 1;
  TColorCollector global;
  std::vector<TColorCollector> locals;
  std::vector<TPreparedFrame> prepared;
  // A single frame always goes into the global table.
  bool shared = !many || settings.UseGlobalTable;
  if (!Prepare(frames, shared, global, locals, prepared)) {
    if (!shared || !many) return false;
    global = TColorCollector();
    shared = false;
    if (!Prepare(frames, false, global, locals, prepared)) return false;
  }
  int width = 0, height = 0;
  for (const auto& f : frames) {
    width = std::max(width, f.Left + f.Bitmap->Width);
    height = std::max(height, f.Top + f.Bitmap->Height);
  }
  std::string out = "GIF89a";
  Put16(out, width);
  Put16(out, height);
  out.push_back(static_cast<char>(shared ? 128 + global.Bits() - 1 : 0));
  out.push_back(0);  // background index
  out.push_back(0);  // aspect ratio
  if (shared) PutTable(out, global);
  if (many) PutLoopExtension(out, settings.LoopCount);
  for (const auto& p : prepared) {
    if (!p.Source->Comment.empty()) PutComment(out, p.Source->Comment);
    PutGraphicControl(out, p);
    PutImage(out, p, p.Table ? *p.Table : global);
  }
  PutComment(out, kGIFCreditText);
  out.push_back(0x3B);
  stream.WriteExact(out.data(), out.size());
  return true;
}

}  // namespace lumarte::imaging

#include "imaging/RevedBitmap.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "imaging/FileUtils.h"
#include "imaging/MemUtils.h"

namespace lumarte::imaging {

namespace {

TPalette MakeDefaultPalette() {
  TPalette p;
  for (int i = 0; i < 256; ++i) p[3 * i] = p[3 * i + 1] = p[3 * i + 2] = static_cast<uint8_t>(i);
  return p;
}

// zeroed = false is for callers that write every byte themselves.
std::unique_ptr<uint8_t[]> AllocateBlock(size_t bytes, bool zeroed = true) {
  std::unique_ptr<uint8_t[]> block;
  try {
    block.reset(new uint8_t[bytes]);
  } catch (const std::bad_alloc&) {
    throw ERevedBitmap("Not enough memory for the bitmap");
  }
  AdviseHugePages(block.get(), bytes);
  if (zeroed) std::memset(block.get(), 0, bytes);
  return block;
}

}  // namespace

const TPalette& DefaultPalette() {
  static const TPalette palette = MakeDefaultPalette();
  return palette;
}

void MakeGrayPalette(uint8_t* palette, int n) {
  for (int i = 0; i < n; ++i) {
    uint8_t v = static_cast<uint8_t>(n > 1 ? i * 255 / (n - 1) : 0);
    palette[3 * i] = palette[3 * i + 1] = palette[3 * i + 2] = v;
  }
}

// ---- TRevedBitmap ----

void TRevedBitmap::New(int32_t width, int32_t height, TPixelFormat format, bool zeroed) {
  if (Present && width == Width && height == Height && format == PixelFormat) return;
  if (format != pf8bit && format != pf24bit) throw ERevedBitmap("Unsupported pixel format");
  if (width < 1 || height < 1) throw ERevedBitmap("Invalid bitmap size");
  int64_t bpl = format == pf24bit ? int64_t{width} * 3 : width;
  if (bpl * height > kMaxSize) throw ERevedBitmap("Invalid bitmap size");
  // Fresh blocks are zeroed so that no stale memory can reach a saved file,
  // unless the caller is about to write every pixel itself.
  size_t bytes = static_cast<size_t>(bpl * height) + 1;
  auto map = AllocateBlock(bytes, zeroed);
  map[bytes - 1] = 0;  // the spare byte behind the last pixel
  if (format == pf8bit && !Palette) Palette = std::make_unique<TPalette>(DefaultPalette());
  if (format == pf24bit) Palette.reset();
  Map = std::move(map);
  Width = width;
  Height = height;
  PixelFormat = format;
  BytesPerLine = static_cast<int32_t>(bpl);
  Size = static_cast<int32_t>(bpl * height);
  Present = true;
}

void TRevedBitmap::Dispose() {
  Map.reset();
  Palette.reset();
  Width = Height = Size = BytesPerLine = 0;
  Present = false;
  PixelFormat = pfCustom;
}

void TRevedBitmap::Assign(const TRevedBitmap& source) {
  if (&source == this) return;
  if (!source.Present) {
    Dispose();
    return;
  }
  New(source.Width, source.Height, source.PixelFormat);
  std::memcpy(Map.get(), source.Map.get(), static_cast<size_t>(Size));
  if (PixelFormat == pf8bit) *Palette = *source.Palette;
}

void TRevedBitmap::Clear(uint32_t color) {
  if (!Present) return;
  uint8_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  if ((color & 0xFFFFFF) == 0 || PixelFormat == pf8bit) {
    uint8_t v = static_cast<uint8_t>((2 * r + 3 * g + b) / 6);
    std::memset(Map.get(), PixelFormat == pf8bit ? v : 0, static_cast<size_t>(Size));
    return;
  }
  uint8_t* row0 = Map.get();
  for (int32_t x = 0; x < Width; ++x) {
    row0[3 * x] = b;
    row0[3 * x + 1] = g;
    row0[3 * x + 2] = r;
  }
  for (int32_t y = 1; y < Height; ++y) std::memcpy(ScanLine(y), row0, BytesPerLine);
}

bool TRevedBitmap::IsGrayScale() const {
  if (!Present) return false;
  if (PixelFormat == pf8bit) return *Palette == DefaultPalette();
  const uint8_t* p = Map.get();
  for (int32_t i = 0; i < Size; i += 3)
    if (p[i] != p[i + 1] || p[i] != p[i + 2]) return false;
  return true;
}

void TRevedBitmap::ResizeCanvas(int32_t newWidth, int32_t newHeight, int32_t xOffset,
                                int32_t yOffset, uint32_t fillColor) {
  if (newWidth < 1 || newHeight < 1) {
    Dispose();
    return;
  }
  if (!Present) {
    New(newWidth, newHeight, pf8bit);
    *Palette = DefaultPalette();
    Clear(fillColor);
    return;
  }
  if (newWidth == Width && newHeight == Height && xOffset == 0 && yOffset == 0) return;
  TRevedBitmap old;
  old.Width = Width;
  old.Height = Height;
  old.BytesPerLine = BytesPerLine;
  old.Map = std::move(Map);
  Present = false;  // force New to allocate
  try {
    New(newWidth, newHeight, PixelFormat);
  } catch (...) {
    Map = std::move(old.Map);
    Present = true;
    throw;
  }
  Clear(fillColor);
  int bpp = PixelFormat == pf24bit ? 3 : 1;
  int64_t srcStart = int64_t{std::max(0, -xOffset)} * bpp;
  int64_t dstStart = int64_t{std::max(0, xOffset)} * bpp;
  int64_t length = std::min<int64_t>(old.BytesPerLine - srcStart, BytesPerLine - dstStart);
  if (length <= 0) return;
  int32_t yFirst = std::max(0, -yOffset);
  int64_t yLast = std::min<int64_t>(old.Height - 1, int64_t{newHeight} - yOffset - 1);
  for (int64_t y = yFirst; y <= yLast; ++y)
    std::memcpy(ScanLine(static_cast<int32_t>(y + yOffset)) + dstStart,
                old.Map.get() + y * old.BytesPerLine + srcStart, static_cast<size_t>(length));
}

void TRevedBitmap::InterleavePlanes(const uint8_t* source, int planeCount) {
  if (!Present) return;
  std::unique_ptr<uint8_t[]> copy;
  if (!source || source == Map.get()) {
    copy = AllocateBlock(static_cast<size_t>(Size) + 1);
    std::memcpy(copy.get(), Map.get(), static_cast<size_t>(Size));
    source = copy.get();
  }
  size_t plane = static_cast<size_t>(Width) * Height;
  uint8_t* map = Map.get();
  for (int p = 0; p < std::min(planeCount, 3); ++p) {
    const uint8_t* s = source + p * plane;
    for (size_t i = 0; i < plane && 3 * i + p < static_cast<size_t>(Size); ++i)
      map[3 * i + p] = s[i];
  }
}

void TRevedBitmap::LoadFromFile(const std::string& fileName) {
  Dispose();  // a failed load, for whatever reason, leaves the buffer empty
  if (fileName.empty()) throw ERevedBitmap("No file name");
  std::string ext = ExtractExt(fileName);
  TBitmapLoader& loader = BitmapLoaders().FindLoader(ext);
  try {
    uint8_t caps = loader.Capabilities();
    if (caps & capLoadFile) {
      loader.LoadFromFile(fileName, ext, *this);
    } else if (caps & capLoadStream) {
      TFileStream stream(fileName, fmRead | fmShareRead);
      loader.LoadFromStream(stream, ext, *this);
    } else {
      throw ERevedBitmap("Unsupported file format");
    }
  } catch (...) {
    Dispose();  // a failed load leaves the buffer empty
    throw;
  }
}

void TRevedBitmap::SaveToFile(const std::string& fileName) {
  if (fileName.empty()) throw ERevedBitmap("No file name");
  std::string ext = ExtractExt(fileName);
  TBitmapLoader& saver = BitmapLoaders().FindSaver(ext);
  uint8_t caps = saver.Capabilities();
  if (!(caps & (capSaveFile | capSaveStream))) throw ERevedBitmap("Unsupported file format");
  SaveReplacing(fileName, [&](const std::string& temp) {
    if (caps & capSaveFile) {
      saver.SaveToFile(temp, ext, *this);
      return;
    }
    TFileStream stream(temp, fmRead | fmWrite | fmCreate);
    saver.SaveToStream(stream, ext, *this);
    stream.Flush();
  });
}

void TRevedBitmap::LoadFromStream(TBaseStream& stream, const std::string& ext) {
  Dispose();
  TBitmapLoader& loader = BitmapLoaders().FindLoader(ext);
  try {
    loader.LoadFromStream(stream, ext, *this);
  } catch (...) {
    Dispose();
    throw;
  }
}

void TRevedBitmap::SaveToStream(TBaseStream& stream, const std::string& ext) {
  BitmapLoaders().FindSaver(ext).SaveToStream(stream, ext, *this);
}

// ---- TBitmapLoader ----

bool TBitmapLoader::FilterMentions(const std::string& filter, const std::string& ext) {
  if (ext.empty()) return false;
  return UpperCase(filter).find("*." + UpperCase(ext)) != std::string::npos;
}

bool TBitmapLoader::ExtIn(const std::string& ext, std::initializer_list<const char*> list) {
  std::string up = UpperCase(ext);
  return std::any_of(list.begin(), list.end(), [&](const char* e) { return up == e; });
}

bool TBitmapLoader::CanLoad(const std::string& ext) {
  return FilterMentions(GetLoadFilter(), ext);
}
bool TBitmapLoader::CanSave(const std::string& ext) {
  return FilterMentions(GetSaveFilter(), ext);
}
std::string TBitmapLoader::GetLoadFilter() {
  return "";
}

void TBitmapLoader::LoadFromStream(TBaseStream&, const std::string&, TRevedBitmap&) {
  throw ERevedBitmap("Operation not supported");
}
void TBitmapLoader::SaveToStream(TBaseStream&, const std::string&, TRevedBitmap&) {
  throw ERevedBitmap("Operation not supported");
}
void TBitmapLoader::LoadFromFile(const std::string&, const std::string&, TRevedBitmap&) {
  throw ERevedBitmap("Operation not supported");
}
void TBitmapLoader::SaveToFile(const std::string&, const std::string&, TRevedBitmap&) {
  throw ERevedBitmap("Operation not supported");
}

// ---- TBitmapLoaders ----

void TBitmapLoaders::Add(TBitmapLoader* loader) {
  Items.push_back(loader);
}

TBitmapLoader& TBitmapLoaders::FindLoader(const std::string& ext) const {
  for (auto* l : Items)
    if (l->CanLoad(ext)) return *l;
  throw EUnsupportedFileFormat("Unsupported file format");
}

TBitmapLoader& TBitmapLoaders::FindSaver(const std::string& ext) const {
  for (auto* l : Items)
    if (l->CanSave(ext)) return *l;
  throw EUnsupportedFileFormat("Unsupported file format");
}

namespace {

std::string JoinFilters(const std::vector<TBitmapLoader*>& items, bool save) {
  std::string all;
  for (auto* l : items) {
    all += save ? l->GetSaveFilter() : l->GetLoadFilter();
    if (!all.empty() && all.back() != '|') all += '|';
  }
  return all;
}

}  // namespace

std::string TBitmapLoaders::CombinedLoadFilter() const {
  std::string all = JoinFilters(Items, false);
  std::string list;
  for (size_t p = all.find("*."); p != std::string::npos; p = all.find("*.", p + 2)) {
    size_t e = p + 2;
    while (e < all.size() && (std::isalnum(static_cast<unsigned char>(all[e])) || all[e] == '_'))
      ++e;
    std::string ext = all.substr(p + 2, e - p - 2);
    for (auto& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string item = "*." + ext + ";";
    if (list.find(item) == std::string::npos) list += item;
  }
  if (!list.empty()) list.pop_back();
  return list + "|" + list + "|" + all;
}

std::string TBitmapLoaders::CombinedSaveFilter() const {
  std::string all = JoinFilters(Items, true);
  if (!all.empty()) all.pop_back();
  return all;
}

}  // namespace lumarte::imaging

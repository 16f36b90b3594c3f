#include "imaging/JPEGCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace lumarte::imaging {

namespace {

// libjpeg calls error_exit on fatal errors and must not return from it. We
// jump back to the guarded step that made the call and raise an exception
// there, outside libjpeg's frames. Guarded steps hold only plain data, so
// the jump skips no destructor.
struct TErrorManager {
  jpeg_error_mgr Pub;  // first: libjpeg sees only this part
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<TErrorManager*>(cinfo->err)->Jump, 1);
}

[[noreturn]] void Fail(j_common_ptr cinfo, const char* text) {
  auto* err = reinterpret_cast<TErrorManager*>(cinfo->err);
  std::snprintf(err->Message, sizeof err->Message, "%s", text);
  JumpBack(cinfo);
}

extern "C" void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TErrorManager*>(cinfo->err);
  cinfo->err->format_message(cinfo, err->Message);
  JumpBack(cinfo);
}

// Warnings are counted by libjpeg; nothing is printed.
extern "C" void OutputMessage(j_common_ptr) {}

void InstallErrorManager(jpeg_common_struct& cinfo, TErrorManager& err) {
  cinfo.err = jpeg_std_error(&err.Pub);
  err.Pub.error_exit = ErrorExit;
  err.Pub.output_message = OutputMessage;
}

// Runs a step of libjpeg calls; a fatal error inside becomes EFormatError.
template <class Step>
void Guarded(TErrorManager& err, Step step) {
  bool failed = false;
  if (setjmp(err.Jump) == 0) {
    step();
  } else {
    failed = true;
  }
  if (failed) throw EFormatError(err.Message);
}

// Hostile progressive files can hold thousands of scans, each a pass over
// the whole coefficient buffer.
constexpr int kMaxScans = 500;
constexpr long kMaxLibraryMemory = 1L << 30;

extern "C" void CountScans(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
    Fail(cinfo, "Too many scans in JPEG data");
}

struct TDecompressor {
  jpeg_decompress_struct Info{};
  TErrorManager Err;
  jpeg_progress_mgr Progress{};
  TDecompressor() {
    InstallErrorManager(*reinterpret_cast<j_common_ptr>(&Info), Err);
    Progress.progress_monitor = CountScans;
  }
  ~TDecompressor() { jpeg_destroy_decompress(&Info); }
};

// Adobe writes CMYK inverted; plain CMYK holds ink amounts.
void CMYKRowToBGR(const uint8_t* cmyk, uint8_t* bgr, int width, bool inverted) {
  for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    bgr[0] = static_cast<uint8_t>((y * k + 127) / 255);
    bgr[1] = static_cast<uint8_t>((m * k + 127) / 255);
    bgr[2] = static_cast<uint8_t>((c * k + 127) / 255);
  }
}

void ReadRows(jpeg_decompress_struct& info, TRevedBitmap& picture, uint8_t* cmykRow) {
  bool inverted = info.saw_Adobe_marker;
  while (info.output_scanline < info.output_height) {
    JDIMENSION y = info.output_scanline;
    JSAMPROW rows[16];
    JDIMENSION n = cmykRow ? 1 : std::min<JDIMENSION>(16, info.output_height - y);
    for (JDIMENSION i = 0; i < n; ++i)
      rows[i] = cmykRow ? cmykRow : picture.ScanLine(static_cast<int32_t>(y + i));
    // Only a suspending data source returns no rows; ours never suspends.
    if (jpeg_read_scanlines(&info, rows, n) == 0)
      Fail(reinterpret_cast<j_common_ptr>(&info), "JPEG data ended unexpectedly");
    if (cmykRow)
      CMYKRowToBGR(cmykRow, picture.ScanLine(static_cast<int32_t>(y)), picture.Width, inverted);
  }
}

// The smallest scale n/8 whose output covers the wanted size.
void ChooseScale(jpeg_decompress_struct& info, int64_t wantW, int64_t wantH) {
  info.scale_denom = 8;
  for (unsigned n = 1; n <= 8; ++n) {
    info.scale_num = n;
    jpeg_calc_output_dimensions(&info);
    if (static_cast<int64_t>(info.output_width) >= wantW &&
        static_cast<int64_t>(info.output_height) >= wantH)
      return;
  }
}

}  // namespace

TJPEGDecodeResult DecodeJPEG(const uint8_t* data, size_t size, TRevedBitmap& picture,
                             int64_t maxPixels, const TJPEGCoverRule& cover) {
  picture.Dispose();
  TDecompressor d;
  jpeg_decompress_struct& info = d.Info;
  Guarded(d.Err, [&] {
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxLibraryMemory;
    info.progress = &d.Progress;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
  });
  if (static_cast<int64_t>(info.image_width) * info.image_height > maxPixels)
    throw EFormatError("JPEG image too large");
  TJPEGDecodeResult result;
  result.FullWidth = static_cast<int>(info.image_width);
  result.FullHeight = static_cast<int>(info.image_height);
  result.Grayscale = info.jpeg_color_space == JCS_GRAYSCALE;
  bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = result.Grayscale ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
  info.dct_method = JDCT_ISLOW;
  if (cover) {
    std::pair<int, int> want = cover(result.FullWidth, result.FullHeight);
    Guarded(d.Err, [&] { ChooseScale(info, want.first, want.second); });
  }
  Guarded(d.Err, [&] { jpeg_start_decompress(&info); });
  // libjpeg delivers every row, even of truncated data, so no zero pass.
  picture.New(static_cast<int32_t>(info.output_width), static_cast<int32_t>(info.output_height),
              result.Grayscale ? pf8bit : pf24bit, false);
  if (result.Grayscale) *picture.Palette = DefaultPalette();
  std::vector<uint8_t> cmykRow(cmyk ? static_cast<size_t>(info.output_width) * 4 : 0);
  uint8_t* cmykBuffer = cmyk ? cmykRow.data() : nullptr;
  try {
    Guarded(d.Err, [&] { ReadRows(info, picture, cmykBuffer); });
  } catch (...) {
    picture.Dispose();
    throw;
  }
  // Every row is in; trouble after the last scan costs nothing visible.
  try {
    Guarded(d.Err, [&] { jpeg_finish_decompress(&info); });
  } catch (const EFormatError&) {
  }
  result.Warnings = static_cast<int>(d.Err.Pub.num_warnings);
  return result;
}

namespace {

// Grows the output in a malloc block we own (realloc can move large blocks
// without copying), so an error halfway leaks nothing.
struct TBlockDestination {
  jpeg_destination_mgr Pub;  // first: libjpeg sees only this part
  uint8_t* Block = nullptr;
  size_t Capacity = 0;
  size_t InitialCapacity = 65536;
  ~TBlockDestination() { std::free(Block); }
};

extern "C" void InitDestination(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<TBlockDestination*>(cinfo->dest);
  d->Block = static_cast<uint8_t*>(std::malloc(d->InitialCapacity));
  if (!d->Block) Fail(reinterpret_cast<j_common_ptr>(cinfo), "Not enough memory for the JPEG data");
  d->Capacity = d->InitialCapacity;
  d->Pub.next_output_byte = d->Block;
  d->Pub.free_in_buffer = d->Capacity;
}

extern "C" boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<TBlockDestination*>(cinfo->dest);
  size_t used = d->Capacity;
  auto* grown = static_cast<uint8_t*>(std::realloc(d->Block, used * 2));
  if (!grown) Fail(reinterpret_cast<j_common_ptr>(cinfo), "Not enough memory for the JPEG data");
  d->Block = grown;
  d->Capacity = used * 2;
  d->Pub.next_output_byte = d->Block + used;
  d->Pub.free_in_buffer = d->Capacity - used;
  return TRUE;
}

extern "C" void TermDestination(j_compress_ptr) {}

struct TCompressor {
  jpeg_compress_struct Info{};
  TErrorManager Err;
  TBlockDestination Dest{};
  TCompressor() { InstallErrorManager(*reinterpret_cast<j_common_ptr>(&Info), Err); }
  ~TCompressor() { jpeg_destroy_compress(&Info); }
};

// A palette that is exactly the grey ramp lets indices go in as grey levels.
bool IsGreyRamp(const TRevedBitmap& p) {
  return p.PixelFormat == pf8bit && *p.Palette == DefaultPalette();
}

void ExpandRow(const TRevedBitmap& p, int32_t y, uint8_t* bgr) {
  const uint8_t* src = p.ScanLine(y);
  const uint8_t* pal = p.Palette->data();
  for (int32_t x = 0; x < p.Width; ++x) std::memcpy(bgr + 3 * x, pal + 3 * src[x], 3);
}

void WriteRows(jpeg_compress_struct& info, const TRevedBitmap& picture, uint8_t* rowBuffer) {
  while (info.next_scanline < info.image_height) {
    auto y = static_cast<int32_t>(info.next_scanline);
    JSAMPROW row;
    if (rowBuffer) {
      ExpandRow(picture, y, rowBuffer);
      row = rowBuffer;
    } else {
      row = const_cast<uint8_t*>(picture.ScanLine(y));
    }
    jpeg_write_scanlines(&info, &row, 1);
  }
}

}  // namespace

void EncodeJPEG(const TRevedBitmap& picture, const TJPEGEncodeOptions& options, std::string& out) {
  if (!picture.Present) throw ERevedBitmap("Unsupported pixel format");
  bool greyIndices = options.Grayscale && IsGreyRamp(picture);
  bool expand = picture.PixelFormat == pf8bit && !greyIndices;
  std::vector<uint8_t> rowBuffer(expand ? static_cast<size_t>(picture.Width) * 3 : 0);
  uint8_t* rowPtr = expand ? rowBuffer.data() : nullptr;
  TCompressor c;
  jpeg_compress_struct& info = c.Info;
  c.Dest.Pub.init_destination = InitDestination;
  c.Dest.Pub.empty_output_buffer = EmptyOutputBuffer;
  c.Dest.Pub.term_destination = TermDestination;
  // About a bit per pixel to start with spares most regrowing.
  c.Dest.InitialCapacity =
      std::max<size_t>(65536, static_cast<size_t>(picture.Width) * picture.Height / 8);
  Guarded(c.Err, [&] {
    jpeg_create_compress(&info);
    info.dest = &c.Dest.Pub;
    info.image_width = static_cast<JDIMENSION>(picture.Width);
    info.image_height = static_cast<JDIMENSION>(picture.Height);
    info.input_components = greyIndices ? 1 : 3;
    info.in_color_space = greyIndices ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    if (options.Grayscale) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
    jpeg_set_quality(&info, options.Quality, TRUE);
    if (options.Progressive) jpeg_simple_progression(&info);
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    WriteRows(info, picture, rowPtr);
    jpeg_finish_compress(&info);
  });
  out.assign(reinterpret_cast<const char*>(c.Dest.Block),
             c.Dest.Capacity - c.Dest.Pub.free_in_buffer);
}

}  // namespace lumarte::imaging

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Jp2Codec.h"
#include "Jp2Markers.h"
#include "Jp2Streams.h"
#include "imaging/ImageContainer.h"

namespace lumarte::jp2 {

namespace {

constexpr uint8_t kJp2Signature[12] = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
constexpr uint8_t kCodestreamStart[4] = {0xFF, 0x4F, 0xFF, 0x51};
constexpr uint32_t kMaxSide = 65535;
constexpr uint64_t kMaxPixels = uint64_t{1} << 28;

bool DetectFormat(const uint8_t* data, size_t size, OPJ_CODEC_FORMAT& format) {
  if (size >= sizeof kJp2Signature && std::memcmp(data, kJp2Signature, sizeof kJp2Signature) == 0)
    format = OPJ_CODEC_JP2;
  else if (size >= sizeof kCodestreamStart &&
           std::memcmp(data, kCodestreamStart, sizeof kCodestreamStart) == 0)
    format = OPJ_CODEC_J2K;
  else
    return false;
  return true;
}

uint32_t ImageWidth(const opj_image_t& img) {
  return img.x1 > img.x0 ? img.x1 - img.x0 : 0;
}
uint32_t ImageHeight(const opj_image_t& img) {
  return img.y1 > img.y0 ? img.y1 - img.y0 : 0;
}

// Checked after the header, before OpenJPEG allocates anything for the pixels.
bool HeaderAcceptable(const opj_image_t& img, uint64_t maxSamples) {
  const uint64_t w = ImageWidth(img), h = ImageHeight(img);
  if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide || w * h > kMaxPixels) return false;
  if (img.numcomps == 0 || !img.comps) return false;
  uint64_t samples = 0;
  for (uint32_t c = 0; c < img.numcomps; ++c) {
    const opj_image_comp_t& comp = img.comps[c];
    if (comp.dx == 0 || comp.dy == 0) return false;
    samples += (w / comp.dx + 1) * (h / comp.dy + 1);
    if (samples > maxSamples) return false;
  }
  return true;
}

bool ComponentUsable(const opj_image_comp_t& comp) {
  return comp.data && comp.w > 0 && comp.h > 0 && comp.dx > 0 && comp.dy > 0 && comp.prec > 0 &&
         comp.prec <= 31;
}

// Sample index of every image column (or row) in a possibly sub-sampled
// component: nearest-neighbour up-sampling.
std::vector<uint32_t> SampleIndex(uint32_t origin, uint32_t count, uint32_t step,
                                  uint32_t compOrigin, uint32_t compCount) {
  std::vector<uint32_t> index(count);
  for (uint32_t i = 0; i < count; ++i) {
    int64_t k = int64_t{(origin + i) / step} - compOrigin;
    index[i] = static_cast<uint32_t>(std::clamp<int64_t>(k, 0, int64_t{compCount} - 1));
  }
  return index;
}

uint8_t To8Bit(int64_t v, const opj_image_comp_t& comp) {
  if (comp.sgnd) v += int64_t{1} << (comp.prec - 1);
  if (comp.prec > 8)
    v >>= comp.prec - 8;
  else if (comp.prec < 8)
    v = v * 255 / ((int64_t{1} << comp.prec) - 1);
  return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 255));
}

// Writes component comp into every stride-th byte of out, starting at first.
void StoreComponent(const opj_image_t& img, const opj_image_comp_t& comp, uint8_t* out,
                    int stride) {
  const uint32_t w = ImageWidth(img), h = ImageHeight(img);
  auto cols = SampleIndex(img.x0, w, comp.dx, comp.x0, comp.w);
  auto rows = SampleIndex(img.y0, h, comp.dy, comp.y0, comp.h);
  for (uint32_t y = 0; y < h; ++y) {
    const OPJ_INT32* src = comp.data + size_t{rows[y]} * comp.w;
    uint8_t* dst = out + size_t{y} * w * stride;
    for (uint32_t x = 0; x < w; ++x) dst[size_t{x} * stride] = To8Bit(src[cols[x]], comp);
  }
}

uint8_t Clamp255(double v) {
  return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// The samples hold Y in the red, Cb in the green and Cr in the blue byte.
void YccToRgb(std::vector<uint8_t>& bgr) {
  for (size_t i = 0; i + 2 < bgr.size(); i += 3) {
    const double y = bgr[i + 2], cb = bgr[i + 1] - 128.0, cr = bgr[i] - 128.0;
    bgr[i + 2] = Clamp255(y + 1.402 * cr);
    bgr[i + 1] = Clamp255(y - 0.344136 * cb - 0.714136 * cr);
    bgr[i] = Clamp255(y + 1.772 * cb);
  }
}

int ToSamples(const opj_image_t& img, TJp2Image& out) {
  if (img.color_space == OPJ_CLRSPC_CMYK) return kLibUnsupportedFormat;
  const int planes = img.numcomps >= 3 ? 3 : 1;
  for (int c = 0; c < planes; ++c)
    if (!ComponentUsable(img.comps[c])) return kLibBadData;
  out.Width = static_cast<int32_t>(ImageWidth(img));
  out.Height = static_cast<int32_t>(ImageHeight(img));
  out.Planes = planes;
  out.Samples.assign(size_t(out.Width) * out.Height * planes, 0);
  // Component 0 is red (or grey), stored last of blue, green, red.
  for (int c = 0; c < planes; ++c)
    StoreComponent(img, img.comps[c], out.Samples.data() + (planes - 1 - c), planes);
  if (planes == 3 && img.color_space == OPJ_CLRSPC_SYCC) YccToRgb(out.Samples);
  return kLibOk;
}

}  // namespace

int DecodeJp2(const uint8_t* data, size_t size, TJp2Image& out, uint64_t maxSamples) {
  OPJ_CODEC_FORMAT format;
  if (!data || !DetectFormat(data, size, format)) return kLibBadData;
  if (UsesHighThroughputBlocks(data, size)) return kLibUnsupportedFormat;
  TCodecPtr codec(opj_create_decompress(format));
  if (!codec) return kLibBadData;
  SilenceCodec(codec.get());
  opj_dparameters_t params;
  opj_set_default_decoder_parameters(&params);
  if (!opj_setup_decoder(codec.get(), &params)) return kLibBadData;
  TMemoryReader reader{data, size};
  TStreamPtr stream = MakeReadStream(reader);
  if (!stream) return kLibBadData;
  opj_image_t* raw = nullptr;
  const bool header = opj_read_header(stream.get(), codec.get(), &raw);
  TImagePtr image(raw);
  if (!header || !image || !HeaderAcceptable(*image, maxSamples)) return kLibBadData;
  if (!opj_decode(codec.get(), stream.get(), image.get()) ||
      !opj_end_decompress(codec.get(), stream.get()))
    return kLibBadData;
  return ToSamples(*image, out);
}

}  // namespace lumarte::jp2

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Jp2Codec.h"
#include "Jp2Streams.h"
#include "imaging/ImageContainer.h"

namespace lumarte::jp2 {

namespace {

// The smallest output a lossy rate may ask for (1:1000).
constexpr double kMinRate = 0.001;
constexpr int kMaxResolutions = 6;

// Every resolution level halves the image; the smallest must keep a pixel.
int ResolutionsFor(int32_t width, int32_t height) {
  int n = 1;
  while (n < kMaxResolutions && (int32_t{1} << n) <= std::min(width, height)) ++n;
  return n;
}

opj_cparameters_t EncoderParameters(const TJp2Image& in, double rate) {
  opj_cparameters_t p;
  opj_set_default_encoder_parameters(&p);
  p.tcp_numlayers = 1;
  p.cp_disto_alloc = 1;
  if (rate > 0) {
    p.irreversible = 1;
    p.tcp_rates[0] = static_cast<float>(1.0 / std::max(rate, kMinRate));
  } else {
    p.tcp_rates[0] = 0;  // lossless
  }
  p.numresolution = ResolutionsFor(in.Width, in.Height);
  p.tcp_mct = in.Planes == 3 ? 1 : 0;
  return p;
}

TImagePtr MakeImage(const TJp2Image& in) {
  opj_image_cmptparm_t params[3];
  std::memset(params, 0, sizeof params);
  for (auto& c : params) {
    c.dx = c.dy = 1;
    c.w = static_cast<OPJ_UINT32>(in.Width);
    c.h = static_cast<OPJ_UINT32>(in.Height);
    c.prec = 8;
  }
  TImagePtr image(opj_image_create(static_cast<OPJ_UINT32>(in.Planes), params,
                                   in.Planes == 3 ? OPJ_CLRSPC_SRGB : OPJ_CLRSPC_GRAY));
  if (!image) return image;
  image->x0 = image->y0 = 0;
  image->x1 = static_cast<OPJ_UINT32>(in.Width);
  image->y1 = static_cast<OPJ_UINT32>(in.Height);
  const size_t pixels = size_t(in.Width) * in.Height;
  // Component 0 is red (or grey): the last byte of blue, green, red.
  for (int c = 0; c < in.Planes; ++c) {
    OPJ_INT32* dst = image->comps[c].data;
    const uint8_t* src = in.Samples.data() + (in.Planes - 1 - c);
    for (size_t i = 0; i < pixels; ++i) dst[i] = src[i * in.Planes];
  }
  return image;
}

}  // namespace

double ParseRateOption(const char* options) {
  if (!options) return 0;
  const char* p = std::strstr(options, "rate=");
  if (!p) return 0;
  // A rate is lossy even at 0.000: it asks for the smallest output.
  return std::max(std::strtod(p + 5, nullptr), kMinRate);
}

int EncodeJp2(const TJp2Image& in, bool jp2File, double rate, std::string& out) {
  if (in.Width < 1 || in.Height < 1 || (in.Planes != 1 && in.Planes != 3) ||
      in.Samples.size() < size_t(in.Width) * in.Height * in.Planes)
    return kLibBadData;
  opj_cparameters_t params = EncoderParameters(in, rate);
  TImagePtr image = MakeImage(in);
  TCodecPtr codec(opj_create_compress(jp2File ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K));
  if (!image || !codec) return kLibBadData;
  SilenceCodec(codec.get());
  if (!opj_setup_encoder(codec.get(), &params, image.get())) return kLibBadData;
  out.clear();
  TMemoryWriter writer{&out};
  TStreamPtr stream = MakeWriteStream(writer);
  if (!stream) return kLibBadData;
  const bool ok = opj_start_compress(codec.get(), image.get(), stream.get()) &&
                  opj_encode(codec.get(), stream.get()) &&
                  opj_end_compress(codec.get(), stream.get());
  return ok ? kLibOk : kLibBadData;
}

}  // namespace lumarte::jp2

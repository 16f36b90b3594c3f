#pragma once
// JPEG 2000 decoding and encoding with OpenJPEG on 8-bit samples laid out as
// the codec library's pixel buffer: grey as one plane, colour as interleaved
// blue, green, red.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumarte::jp2 {

struct TJp2Image {
  int32_t Width = 0;
  int32_t Height = 0;
  int Planes = 0;  // 1 grey, 3 colour
  std::vector<uint8_t> Samples;
};

// Decoded samples (summed over all components) a file may ask for by default.
constexpr uint64_t kDefaultMaxSamples = uint64_t{1} << 28;

// JP2 files and raw codestreams, told apart by their first bytes. Returns a
// result code of the plug-in contract: kLibOk, kLibBadData or
// kLibUnsupportedFormat (CMYK).
int DecodeJp2(const uint8_t* data, size_t size, TJp2Image& out,
              uint64_t maxSamples = kDefaultMaxSamples);

// rate 0: lossless (reversible wavelet); else the size of the output as a
// fraction of the uncompressed size. jp2File chooses the JP2 wrapper over a
// raw codestream. Returns kLibOk or kLibBadData.
int EncodeJp2(const TJp2Image& image, bool jp2File, double rate, std::string& out);

// "rate=0.050" gives 0.05 (at least 0.001); no rate (empty options) gives
// 0, lossless.
double ParseRateOption(const char* options);

}  // namespace lumarte::jp2

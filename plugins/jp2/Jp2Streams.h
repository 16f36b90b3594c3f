#pragma once
// OpenJPEG streams over memory, and owners for OpenJPEG's objects.
#include <openjpeg.h>

#include <cstdint>
#include <memory>
#include <string>

namespace lumarte::jp2 {

struct TCodecDeleter {
  void operator()(opj_codec_t* p) const { opj_destroy_codec(p); }
};
struct TStreamDeleter {
  void operator()(opj_stream_t* p) const { opj_stream_destroy(p); }
};
struct TImageDeleter {
  void operator()(opj_image_t* p) const { opj_image_destroy(p); }
};
using TCodecPtr = std::unique_ptr<opj_codec_t, TCodecDeleter>;
using TStreamPtr = std::unique_ptr<opj_stream_t, TStreamDeleter>;
using TImagePtr = std::unique_ptr<opj_image_t, TImageDeleter>;

struct TMemoryReader {
  const uint8_t* Data;
  size_t Size;
  size_t Pos = 0;
};

struct TMemoryWriter {
  std::string* Out;
  size_t Pos = 0;
};

// The reader and writer must outlive the stream.
TStreamPtr MakeReadStream(TMemoryReader& reader);
TStreamPtr MakeWriteStream(TMemoryWriter& writer);
// Drops OpenJPEG's messages: results are told through return codes.
void SilenceCodec(opj_codec_t* codec);

}  // namespace lumarte::jp2

#include "Jp2Streams.h"

#include <algorithm>
#include <cstring>

namespace lumarte::jp2 {

namespace {

constexpr OPJ_SIZE_T kChunk = 1 << 16;
constexpr OPJ_SIZE_T kEnd = static_cast<OPJ_SIZE_T>(-1);

OPJ_SIZE_T ReadBytes(void* buffer, OPJ_SIZE_T count, void* user) {
  auto& r = *static_cast<TMemoryReader*>(user);
  if (r.Pos >= r.Size) return kEnd;
  OPJ_SIZE_T n = std::min<OPJ_SIZE_T>(count, r.Size - r.Pos);
  std::memcpy(buffer, r.Data + r.Pos, n);
  r.Pos += n;
  return n;
}

OPJ_OFF_T SkipRead(OPJ_OFF_T count, void* user) {
  auto& r = *static_cast<TMemoryReader*>(user);
  if (count < 0 && static_cast<uint64_t>(-count) > r.Pos) return -1;
  // Like a file, a skip may pass the end; the next read then finds nothing.
  r.Pos = static_cast<size_t>(std::min<uint64_t>(r.Pos + count, r.Size));
  return count;
}

OPJ_BOOL SeekRead(OPJ_OFF_T position, void* user) {
  auto& r = *static_cast<TMemoryReader*>(user);
  if (position < 0 || static_cast<uint64_t>(position) > r.Size) return OPJ_FALSE;
  r.Pos = static_cast<size_t>(position);
  return OPJ_TRUE;
}

OPJ_SIZE_T WriteBytes(void* buffer, OPJ_SIZE_T count, void* user) {
  auto& w = *static_cast<TMemoryWriter*>(user);
  if (w.Pos + count > w.Out->size()) w.Out->resize(w.Pos + count);
  std::memcpy(w.Out->data() + w.Pos, buffer, count);
  w.Pos += count;
  return count;
}

OPJ_OFF_T SkipWrite(OPJ_OFF_T count, void* user) {
  auto& w = *static_cast<TMemoryWriter*>(user);
  if (count < 0 && static_cast<uint64_t>(-count) > w.Pos) return -1;
  w.Pos += count;
  if (w.Pos > w.Out->size()) w.Out->resize(w.Pos);
  return count;
}

OPJ_BOOL SeekWrite(OPJ_OFF_T position, void* user) {
  auto& w = *static_cast<TMemoryWriter*>(user);
  if (position < 0) return OPJ_FALSE;
  w.Pos = static_cast<size_t>(position);
  if (w.Pos > w.Out->size()) w.Out->resize(w.Pos);
  return OPJ_TRUE;
}

void Ignore(const char*, void*) {}

}  // namespace

TStreamPtr MakeReadStream(TMemoryReader& reader) {
  TStreamPtr s(opj_stream_create(kChunk, OPJ_TRUE));
  if (!s) return s;
  opj_stream_set_read_function(s.get(), ReadBytes);
  opj_stream_set_skip_function(s.get(), SkipRead);
  opj_stream_set_seek_function(s.get(), SeekRead);
  opj_stream_set_user_data(s.get(), &reader, nullptr);
  opj_stream_set_user_data_length(s.get(), reader.Size);
  return s;
}

TStreamPtr MakeWriteStream(TMemoryWriter& writer) {
  TStreamPtr s(opj_stream_create(kChunk, OPJ_FALSE));
  if (!s) return s;
  opj_stream_set_write_function(s.get(), WriteBytes);
  opj_stream_set_skip_function(s.get(), SkipWrite);
  opj_stream_set_seek_function(s.get(), SeekWrite);
  opj_stream_set_user_data(s.get(), &writer, nullptr);
  return s;
}

void SilenceCodec(opj_codec_t* codec) {
  opj_set_info_handler(codec, Ignore, nullptr);
  opj_set_warning_handler(codec, Ignore, nullptr);
  opj_set_error_handler(codec, Ignore, nullptr);
}

}  // namespace lumarte::jp2

#include "imaging/HostStream.h"

namespace lumarte::imaging {

THostStream::THostStream(TBaseStream* stream) : Stream(stream) { Stream->SetExactCount(false); }

THostStream::~THostStream() {
  try {
    Stream->Flush();
  } catch (...) {
  }
}

THostStream::int_type THostStream::underflow() {
  if (Stream->Read(&Ch, 1) != 1) return traits_type::eof();
  setg(&Ch, &Ch, &Ch + 1);
  return traits_type::to_int_type(Ch);
}

std::streamsize THostStream::xsgetn(char* s, std::streamsize n) {
  std::streamsize done = 0;
  if (gptr() && gptr() < egptr() && n > 0) {  // the character held by underflow
    *s = *gptr();
    gbump(1);
    done = 1;
  }
  return done + static_cast<std::streamsize>(Stream->Read(s + done, n - done));
}

std::streamsize THostStream::xsputn(const char* s, std::streamsize n) {
  return static_cast<std::streamsize>(Stream->Write(s, n));
}

THostStream::int_type THostStream::overflow(int_type ch) {
  if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
  char c = traits_type::to_char_type(ch);
  return Stream->Write(&c, 1) == 1 ? ch : traits_type::eof();
}

int THostStream::sync() {
  Stream->Flush();
  return 0;
}

THostStream::pos_type THostStream::seekoff(off_type, std::ios_base::seekdir,
                                           std::ios_base::openmode) {
  throw EInOutError("Seeking not supported");
}

THostStream::pos_type THostStream::seekpos(pos_type, std::ios_base::openmode) {
  throw EInOutError("Seeking not supported");
}

TSeekableHostStream::TSeekableHostStream(TSeekableStream* stream)
    : THostStream(stream), Seekable(stream) {}

int64_t TSeekableHostStream::Seek(int64_t offset, int origin) {
  setg(nullptr, nullptr, nullptr);  // drop the character held by underflow
  int64_t base;
  switch (origin) {
    case 0: base = 0; break;
    case 1: base = Seekable->Position(); break;
    case 2: base = Seekable->Size(); break;
    default: throw EInOutError("Unknown seek origin");
  }
  Seekable->Seek(base + offset);
  return Seekable->Position();
}

void TSeekableHostStream::SetSize(int64_t newSize) {
  int64_t old = Seekable->Position();
  if (newSize >= Seekable->Size()) {
    Seekable->Seek(newSize);
    Seekable->Seek(old);
    return;
  }
  Seekable->Seek(newSize);
  Seekable->Truncate();
  if (old < newSize) Seekable->Seek(old);
}

TSeekableHostStream::pos_type TSeekableHostStream::seekoff(off_type off,
                                                           std::ios_base::seekdir dir,
                                                           std::ios_base::openmode) {
  int origin = dir == std::ios_base::beg ? 0 : dir == std::ios_base::cur ? 1 : 2;
  if (origin == 1 && gptr() < egptr()) off -= egptr() - gptr();
  return Seek(off, origin);
}

TSeekableHostStream::pos_type TSeekableHostStream::seekpos(pos_type pos,
                                                           std::ios_base::openmode) {
  return Seek(pos, 0);
}

THostFilterStream::THostFilterStream(std::iostream* stream) : Stream(stream) {
  CanRead = CanWrite = true;
}

size_t THostFilterStream::Write(const void* buffer, size_t count) {
  Stream->write(static_cast<const char*>(buffer), static_cast<std::streamsize>(count));
  if (!*Stream) {
    Stream->clear();
    throw EInOutError("Error writing to stream - Write failed");
  }
  return count;
}

size_t THostFilterStream::Read(void* buffer, size_t count) {
  Stream->read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
  size_t n = static_cast<size_t>(Stream->gcount());
  Stream->clear();
  if (ExactCount && n < count) RaiseShortTransfer();
  return n;
}

int64_t THostFilterStream::Position() { return static_cast<int64_t>(Stream->tellg()); }

int64_t THostFilterStream::Size() {
  auto here = Stream->tellg();
  Stream->seekg(0, std::ios_base::end);
  auto end = Stream->tellg();
  Stream->seekg(here);
  return static_cast<int64_t>(end);
}

void THostFilterStream::Seek(int64_t position) {
  Stream->clear();
  Stream->seekg(position);
  Stream->seekp(position);
  if (!*Stream) {
    Stream->clear();
    throw EInOutError("Error moving file pointer - Invalid position");
  }
}

void THostFilterStream::Truncate() {
  throw EInOutError("IO-error: a standard stream cannot be truncated");
}

}  // namespace lumarte::imaging

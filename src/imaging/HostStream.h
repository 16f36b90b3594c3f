#pragma once
// Adapters between library streams and standard C++ streams (which play the
// part of the host toolkit's stream).
#include <iostream>
#include <streambuf>

#include "imaging/Streams.h"

namespace lumarte::imaging {

// A std::streambuf reading and writing a library stream. Seeking is refused.
class THostStream : public std::streambuf {
 public:
  explicit THostStream(TBaseStream* stream);
  ~THostStream() override;
  TBaseStream* Stream;

 protected:
  int_type underflow() override;
  std::streamsize xsgetn(char* s, std::streamsize n) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int_type overflow(int_type ch) override;
  int sync() override;
  pos_type seekoff(off_type off, std::ios_base::seekdir dir,
                   std::ios_base::openmode which) override;
  pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;

 private:
  char Ch = 0;  // one-character get area for underflow
};

// Seekable form over a TSeekableStream; origin 0/1/2 = start/current/end.
class TSeekableHostStream : public THostStream {
 public:
  explicit TSeekableHostStream(TSeekableStream* stream);
  int64_t Seek(int64_t offset, int origin);
  void SetSize(int64_t newSize);

 protected:
  pos_type seekoff(off_type off, std::ios_base::seekdir dir,
                   std::ios_base::openmode which) override;
  pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;

 private:
  TSeekableStream* Seekable;
};

// A library stream over a std::iostream.
class THostFilterStream : public TSeekableStream {
 public:
  explicit THostFilterStream(std::iostream* stream);
  std::iostream* Stream;

  size_t Write(const void* buffer, size_t count) override;
  size_t Read(void* buffer, size_t count) override;
  int64_t Position() override;
  int64_t Size() override;
  void Seek(int64_t position) override;
  // std::iostream cannot be shortened; refused with an error.
  void Truncate() override;
};

}  // namespace lumarte::imaging

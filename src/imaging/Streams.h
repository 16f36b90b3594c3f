#pragma once
// The codec library's own stream hierarchy. Filter streams stack on each other
// (a PNG reader reads through buffered, CRC and bit streams).
#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/Errors.h"

namespace lumarte::imaging {

class TBaseStream {
 public:
  virtual ~TBaseStream() = default;

  bool CanWrite = false;
  bool CanRead = false;
  // When set, a read or write that moves fewer bytes than asked is an error.
  bool ExactCount = true;

  virtual void SetExactCount(bool value) { ExactCount = value; }
  virtual size_t Write(const void* buffer, size_t count) = 0;
  virtual size_t Read(void* buffer, size_t count) = 0;
  // EOF is a C macro, hence the spelling.
  virtual bool Eof() { return Available() == 0; }
  virtual int64_t Available() = 0;
  virtual void Flush() {}
  virtual void CopyFrom(TBaseStream& source);

  // Convenience for codecs: exact little-/big-endian reads and writes.
  uint8_t ReadByte();
  uint16_t ReadWordLE();
  uint32_t ReadDWordLE();
  uint16_t ReadWordBE();
  uint32_t ReadDWordBE();
  void WriteByte(uint8_t v);
  void WriteWordLE(uint16_t v);
  void WriteDWordLE(uint32_t v);
  void WriteWordBE(uint16_t v);
  void WriteDWordBE(uint32_t v);
  // Reads exactly count bytes whatever ExactCount says.
  void ReadExact(void* buffer, size_t count);
  void WriteExact(const void* buffer, size_t count);
};

class TFilterStream : public TBaseStream {
 public:
  explicit TFilterStream(TBaseStream* source);
  TBaseStream* Source;  // not owned

  void SetExactCount(bool value) override;
  size_t Write(const void* buffer, size_t count) override;
  size_t Read(void* buffer, size_t count) override;
  int64_t Available() override;
};

class TSeekableStream : public TBaseStream {
 public:
  virtual int64_t Position() = 0;
  virtual int64_t Size() = 0;
  virtual void Seek(int64_t position) = 0;
  // Cuts the stream at the current position.
  virtual void Truncate() = 0;
  int64_t Available() override { return Size() - Position(); }
};

// Mode bits of TFileStream.
enum : unsigned {
  fmRead = 1,
  fmWrite = 2,
  fmCreate = 4,
  fmShareRead = 8,
  fmShareWrite = 16,
};

class TFileStream : public TSeekableStream {
 public:
  TFileStream(const std::string& fileName, unsigned mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  int Handle = -1;
  std::string FileName;

  size_t Write(const void* buffer, size_t count) override;
  size_t Read(void* buffer, size_t count) override;
  void Flush() override;
  int64_t Position() override;
  int64_t Size() override;
  void Seek(int64_t position) override;
  void Truncate() override;
  // Closes and deletes the file. The object stays alive (owned by the caller)
  // but is closed afterwards.
  void Delete();
};

// A seekable stream over a block of memory, growing on write.
class TMemoryStream : public TSeekableStream {
 public:
  TMemoryStream();
  TMemoryStream(const void* data, size_t size);
  std::string Data;  // bytes held

  size_t Write(const void* buffer, size_t count) override;
  size_t Read(void* buffer, size_t count) override;
  int64_t Position() override { return Pos; }
  int64_t Size() override { return static_cast<int64_t>(Data.size()); }
  void Seek(int64_t position) override;
  void Truncate() override { Data.resize(Pos); }

 private:
  size_t Pos = 0;
};

// Moves count bytes in pieces of at most 4096; without dest the bytes are skipped.
void CopyStream(TBaseStream& source, TBaseStream* dest, int64_t count);

std::string SystemErrorText(int code);

// "Read less than expected" for short transfers under ExactCount.
[[noreturn]] void RaiseShortTransfer();

}  // namespace lumarte::imaging

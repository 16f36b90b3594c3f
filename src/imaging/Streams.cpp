#include "imaging/Streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "imaging/Endian.h"

namespace lumarte::imaging {

namespace {

std::string Format1(const char* fmt, const std::string& a) {
  std::string s(fmt);
  auto p = s.find("%s");
  if (p != std::string::npos) s.replace(p, 2, a);
  return s;
}

std::string Format2(const char* fmt, const std::string& a, const std::string& b) {
  return Format1(Format1(fmt, a).c_str(), b);
}

[[noreturn]] void RaiseErrno(const char* fmt) {
  throw EInOutError(Format1(fmt, SystemErrorText(errno)));
}

[[noreturn]] void RaiseErrno(const char* fmt, const std::string& name) {
  throw EInOutError(Format2(fmt, name, SystemErrorText(errno)));
}

}  // namespace

void RaiseShortTransfer() { throw EInOutError("Read less than expected"); }

std::string SystemErrorText(int code) {
  char buf[256];
  buf[0] = 0;
  // GNU strerror_r may return a static string instead of filling buf.
  const char* text = strerror_r(code, buf, sizeof buf);
  if (!text || !*text) return "Error occured. Error description not available!";
  return text;
}

// ---- TBaseStream ----

void TBaseStream::CopyFrom(TBaseStream& source) {
  bool exact = source.ExactCount;
  if (exact) source.SetExactCount(false);
  uint8_t buf[4096];
  try {
    while (!source.Eof()) {
      size_t n = source.Read(buf, sizeof buf);
      if (n == 0) break;
      WriteExact(buf, n);
    }
  } catch (...) {
    if (exact) source.SetExactCount(true);
    throw;
  }
  if (exact) source.SetExactCount(true);
}

void TBaseStream::ReadExact(void* buffer, size_t count) {
  if (Read(buffer, count) != count) RaiseShortTransfer();
}

void TBaseStream::WriteExact(const void* buffer, size_t count) {
  if (Write(buffer, count) != count) RaiseShortTransfer();
}

uint8_t TBaseStream::ReadByte() {
  uint8_t b;
  ReadExact(&b, 1);
  return b;
}

uint16_t TBaseStream::ReadWordLE() {
  uint8_t b[2];
  ReadExact(b, 2);
  return LittleEndian16(b);
}

uint32_t TBaseStream::ReadDWordLE() {
  uint8_t b[4];
  ReadExact(b, 4);
  return LittleEndian32(b);
}

uint16_t TBaseStream::ReadWordBE() {
  uint8_t b[2];
  ReadExact(b, 2);
  return static_cast<uint16_t>(BigEndian16(b));
}

uint32_t TBaseStream::ReadDWordBE() {
  uint8_t b[4];
  ReadExact(b, 4);
  return BigEndian32(b);
}

void TBaseStream::WriteByte(uint8_t v) { WriteExact(&v, 1); }

void TBaseStream::WriteWordLE(uint16_t v) {
  uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
  WriteExact(b, 2);
}

void TBaseStream::WriteDWordLE(uint32_t v) {
  uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  WriteExact(b, 4);
}

void TBaseStream::WriteWordBE(uint16_t v) {
  uint8_t b[2] = {uint8_t(v >> 8), uint8_t(v)};
  WriteExact(b, 2);
}

void TBaseStream::WriteDWordBE(uint32_t v) {
  uint8_t b[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
  WriteExact(b, 4);
}

// ---- TFilterStream ----

TFilterStream::TFilterStream(TBaseStream* source) : Source(source) {
  CanRead = source->CanRead;
  CanWrite = source->CanWrite;
}

void TFilterStream::SetExactCount(bool value) {
  ExactCount = value;
  Source->SetExactCount(value);
}

size_t TFilterStream::Write(const void* buffer, size_t count) {
  return Source->Write(buffer, count);
}

size_t TFilterStream::Read(void* buffer, size_t count) { return Source->Read(buffer, count); }

int64_t TFilterStream::Available() { return Source->Available(); }

// ---- TFileStream ----

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : FileName(fileName) {
  CanRead = mode & fmRead;
  CanWrite = mode & fmWrite;
  if (!CanRead && !CanWrite)
    throw EInOutError(
        "Either read, write or full access must be specified in call to CreateFile");
  int flags = CanRead && CanWrite ? O_RDWR : CanWrite ? O_WRONLY : O_RDONLY;
  if (mode & fmCreate) flags |= O_CREAT | O_TRUNC;
  flags |= O_CLOEXEC;
  // POSIX has no share modes: other processes may always open the file.
  Handle = ::open(fileName.c_str(), flags, 0666);
  if (Handle < 0) RaiseErrno("Error opening \"%s\" - %s", fileName);
  struct stat st;
  if (::fstat(Handle, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(Handle);
    Handle = -1;
    errno = EISDIR;
    RaiseErrno("Error opening \"%s\" - %s", fileName);
  }
}

TFileStream::~TFileStream() {
  if (Handle >= 0) ::close(Handle);
}

size_t TFileStream::Write(const void* buffer, size_t count) {
  size_t done = 0;
  auto p = static_cast<const uint8_t*>(buffer);
  while (done < count) {
    ssize_t n = ::write(Handle, p + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseErrno("Error writing to stream - %s");
    }
    if (n == 0) break;
    done += n;
  }
  if (ExactCount && done < count) RaiseShortTransfer();
  return done;
}

size_t TFileStream::Read(void* buffer, size_t count) {
  size_t done = 0;
  auto p = static_cast<uint8_t*>(buffer);
  while (done < count) {
    ssize_t n = ::read(Handle, p + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseErrno("Error reading from stream - %s");
    }
    if (n == 0) break;
    done += n;
  }
  if (ExactCount && done < count) RaiseShortTransfer();
  return done;
}

void TFileStream::Flush() {
  if (::fsync(Handle) != 0 && errno != EINVAL) RaiseErrno("IO-error: %s");
}

int64_t TFileStream::Position() {
  off_t p = ::lseek(Handle, 0, SEEK_CUR);
  if (p < 0) RaiseErrno("IO-error: %s");
  return p;
}

int64_t TFileStream::Size() {
  struct stat st;
  if (::fstat(Handle, &st) != 0) RaiseErrno("IO-error: %s");
  return st.st_size;
}

void TFileStream::Seek(int64_t position) {
  if (::lseek(Handle, position, SEEK_SET) < 0) RaiseErrno("Error moving file pointer - %s");
}

void TFileStream::Truncate() {
  if (::ftruncate(Handle, Position()) != 0) RaiseErrno("Error truncating file \"%s\" - %s", FileName);
}

void TFileStream::Delete() {
  if (Handle >= 0) {
    int h = Handle;
    Handle = -1;
    if (::close(h) != 0) RaiseErrno("Error closing \"%s\" - %s", FileName);
  }
  if (::unlink(FileName.c_str()) != 0) RaiseErrno("Error deleting \"%s\" - %s", FileName);
}

// ---- TMemoryStream ----

TMemoryStream::TMemoryStream() { CanRead = CanWrite = true; }

TMemoryStream::TMemoryStream(const void* data, size_t size)
    : Data(static_cast<const char*>(data), size) {
  CanRead = CanWrite = true;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (Pos + count > Data.size()) Data.resize(Pos + count);
  if (count) std::memcpy(Data.data() + Pos, buffer, count);
  Pos += count;
  return count;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
  size_t n = Pos < Data.size() ? std::min(count, Data.size() - Pos) : 0;
  if (n) std::memcpy(buffer, Data.data() + Pos, n);
  Pos += n;
  if (ExactCount && n < count) RaiseShortTransfer();
  return n;
}

void TMemoryStream::Seek(int64_t position) {
  if (position < 0) throw EInOutError("Error moving file pointer - Invalid argument");
  Pos = static_cast<size_t>(position);
}

// ---- CopyStream ----

void CopyStream(TBaseStream& source, TBaseStream* dest, int64_t count) {
  uint8_t buf[4096];
  while (count > 0) {
    size_t n = static_cast<size_t>(std::min<int64_t>(count, sizeof buf));
    source.ReadExact(buf, n);
    if (dest) dest->WriteExact(buf, n);
    count -= n;
  }
}

}  // namespace lumarte::imaging

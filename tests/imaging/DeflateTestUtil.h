#pragma once
// Helpers shared by the Deflate and PNG tests: our codec and zlib side by side,
// and an independent writer of fixed-code Deflate bits.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/Deflate.h"

namespace lumarte::imaging::test {

inline std::string Compress(const std::string& data, TCompressionMethod method, size_t piece = 0) {
  TMemoryStream out;
  TDeflateStream d(&out);
  d.SetCompressionMethod(method);
  if (!piece) piece = data.size() ? data.size() : 1;
  for (size_t p = 0; p < data.size(); p += piece)
    d.Write(data.data() + p, std::min(piece, data.size() - p));
  d.Finish();
  return out.Data;
}

// Reads everything our decoder delivers (ExactCount off).
inline std::string Inflate(const std::string& compressed, size_t piece = 4096) {
  TMemoryStream in(compressed.data(), compressed.size());
  in.CanWrite = false;
  TDeflateStream d(&in);
  d.SetExactCount(false);
  std::string out;
  std::vector<char> buf(piece);
  for (;;) {
    size_t n = d.Read(buf.data(), buf.size());
    out.append(buf.data(), n);
    if (n < buf.size()) return out;
  }
}

// zlib's raw inflate; returns false when zlib rejects the data.
inline bool ZlibInflate(const std::string& compressed, std::string& out) {
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) return false;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  z.avail_in = static_cast<uInt>(compressed.size());
  out.clear();
  char buf[65536];
  int rc;
  do {
    z.next_out = reinterpret_cast<Bytef*>(buf);
    z.avail_out = sizeof buf;
    rc = inflate(&z, Z_NO_FLUSH);
    out.append(buf, sizeof buf - z.avail_out);
  } while (rc == Z_OK);
  inflateEnd(&z);
  return rc == Z_STREAM_END;
}

inline std::string ZlibDeflate(const std::string& data, int level,
                               int strategy = Z_DEFAULT_STRATEGY, int windowBits = -15) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, windowBits, 8, strategy);
  std::string out(deflateBound(&z, data.size()) + 64, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

// Writes Deflate bits by the RFC's own description of the fixed code.
class TFixedBits {
 public:
  void Put(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
  }
  void Huffman(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
  }
  void Literal(int sym) {
    if (sym < 144)
      Huffman(0x30 + sym, 8);
    else if (sym < 256)
      Huffman(0x190 + sym - 144, 9);
    else if (sym < 280)
      Huffman(sym - 256, 7);
    else
      Huffman(0xC0 + sym - 280, 8);
  }
  void BlockHeader(bool final, int type) {
    Put(final, 1);
    Put(type, 2);
  }
  // Length 3..258 and distance 1..32768 written from the RFC's tables.
  void Match(int length, int distance) {
    static const int lbase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int lext[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                               2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const int dbase[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    int l = 28;
    while (lbase[l] > length) --l;
    if (length == 258) l = 28;
    Literal(257 + l);
    Put(length - lbase[l], lext[l]);
    int d = 29;
    while (dbase[d] > distance) --d;
    Huffman(d, 5);
    Put(distance - dbase[d], d < 4 ? 0 : (d - 4) / 2 + 1);
  }
  void AlignToByte() {
    while (n_) Bit(0);
  }
  std::string Bytes() {
    AlignToByte();
    return bytes_;
  }

 private:
  void Bit(int b) {
    acc_ |= b << n_;
    if (++n_ == 8) {
      bytes_ += static_cast<char>(acc_);
      acc_ = n_ = 0;
    }
  }
  std::string bytes_;
  int acc_ = 0, n_ = 0;
};

// Reproducible pseudo-random bytes; `alphabet` bounds the values.
inline std::string RandomBytes(size_t n, uint32_t seed, int alphabet = 256) {
  std::string s(n, '\0');
  for (auto& c : s) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>((seed >> 16) % alphabet);
  }
  return s;
}

// Text-like data with repeats near and far: compresses well.
inline std::string RepetitiveBytes(size_t n, uint32_t seed) {
  std::string s;
  std::string words[] = {"alpha ", "beta ", "gamma ", "delta\n", "epsilon ", "zeta, "};
  while (s.size() < n) {
    seed = seed * 1103515245u + 12345u;
    uint32_t r = seed >> 16;
    if (r % 7 == 0 && s.size() > 40000)
      s += s.substr(s.size() - 40000 + r % 1000, 300);  // a repeat beyond the match reach
    else
      s += words[r % 6];
  }
  s.resize(n);
  return s;
}

}  // namespace lumarte::imaging::test

// Deflate and its Huffman codes: our codec and zlib side by side, and an
// independent writer of fixed-code Deflate bits.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "CodecTestUtil.h"
#include "imaging/Adler32.h"
#include "imaging/Deflate.h"
#include "imaging/Huffman.h"
#include "support/ErrorMessage.h"

namespace lumarte::imaging {
namespace {

using lumarte::testing::TBadInput;

std::string Compress(const std::string& data, TCompressionMethod method, size_t piece = 0) {
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
std::string Inflate(const std::string& compressed, size_t piece = 4096) {
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
bool ZlibInflate(const std::string& compressed, std::string& out) {
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

std::string ZlibDeflate(const std::string& data, int level, int strategy = Z_DEFAULT_STRATEGY,
                        int windowBits = -15) {
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
std::string RandomBytes(size_t n, uint32_t seed, int alphabet = 256) {
  std::string s(n, '\0');
  for (auto& c : s) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>((seed >> 16) % alphabet);
  }
  return s;
}

// Text-like data with repeats near and far: compresses well.
std::string RepetitiveBytes(size_t n, uint32_t seed) {
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

// ---- compression: exact bytes ----

TEST(DeflateWrite, EmptyFixedStreamIsOneFinalEmptyBlock) {
  EXPECT_EQ(Compress("", cmFixed), std::string("\x03\x00", 2));
}

TEST(DeflateWrite, EqualBytesGiveTwoLiteralsThenLongMatches) {
  // The first key enters the dictionary only after the second byte; every
  // later match takes slot 0, the newest position of its counter cycle.
  TFixedBits want;
  want.BlockHeader(false, 1);
  want.Literal('a');
  want.Literal('a');
  want.Match(258, 2);
  want.Match(258, 4);
  want.Match(258, 6);
  want.Match(224, 8);  // at the flush, capped by the 224 bytes left
  want.Literal(256);
  want.BlockHeader(true, 1);  // the block was open: an empty final block follows
  want.Literal(256);
  std::string data(1000, 'a');
  std::string out = Compress(data, cmFixed);
  EXPECT_EQ(out, want.Bytes());
  std::string back;
  ASSERT_TRUE(ZlibInflate(out, back));
  EXPECT_EQ(back, data);
}

std::string StoredHeader(bool final, uint16_t len) {
  std::string h;
  h += static_cast<char>(final);
  h += {static_cast<char>(len & 0xFF), static_cast<char>(len >> 8)};
  h += {static_cast<char>(~len & 0xFF), static_cast<char>((~len >> 8) & 0xFF)};
  return h;
}

// Without a flush the last data block is the final one; after a flush an
// empty final block follows.
TEST(DeflateWrite, StoredStreamEndsWithAFinalBlock) {
  std::string data = RandomBytes(70000, 7);
  for (bool flush : {false, true}) {
    TMemoryStream out;
    {
      TDeflateStream d(&out);
      d.SetCompressionMethod(cmStored);
      d.Write(data.data(), data.size());
      flush ? d.Flush() : d.Finish();
    }
    std::string want = StoredHeader(false, 65535) + data.substr(0, 65535) +
                       StoredHeader(!flush, 4465) + data.substr(65535) +
                       (flush ? StoredHeader(true, 0) : "");
    EXPECT_EQ(out.Data, want) << "flush " << flush;
  }
}

TEST(DeflateWrite, FlushHandsCompleteBytesToTheSource) {
  TMemoryStream out;
  TDeflateStream d(&out);
  d.SetCompressionMethod(cmFixed);
  d.Write("abcabcabc", 9);
  d.Flush();
  TFixedBits want;
  want.BlockHeader(false, 1);
  for (char c : std::string("abc")) want.Literal(c);
  want.Match(6, 3);
  want.Literal(256);
  std::string bytes = want.Bytes();
  // Only the partial last byte is still held back.
  EXPECT_EQ(out.Data, bytes.substr(0, bytes.size() - 1));
}

TEST(DeflateWrite, WritingToAReadingStreamFails) {
  TMemoryStream in("x", 1);
  in.CanWrite = false;
  TDeflateStream d(&in);
  EXPECT_EQ(Message([&] { d.Write("a", 1); }), "Stream not open for write");
}

// A method change closes the open block. After 60000 bytes pending in the
// stored method, matches must not reach bytes the pending data has
// overwritten in the ring.
TEST(DeflateWrite, MethodChangeMidStreamStaysCorrect) {
  for (auto [first, second, size] : {std::tuple{cmFixed, cmStored, size_t{5000}},
                                     std::tuple{cmStored, cmFixed, size_t{200000}}}) {
    std::string data = RepetitiveBytes(size, 3);
    TMemoryStream out;
    {
      TDeflateStream d(&out);
      d.SetCompressionMethod(first);
      d.Write(data.data(), size / 2);
      d.SetCompressionMethod(second);
      d.Write(data.data() + size / 2, size - size / 2);
    }
    std::string back;
    ASSERT_TRUE(ZlibInflate(out.Data, back));
    EXPECT_EQ(back, data) << size;
  }
}

// ---- round trips through zlib and through our reader ----

struct TRoundTrip {
  const char* name;
  TCompressionMethod method;
  size_t size;
  bool repetitive;
  size_t piece;
};

class DeflateRoundTrip : public ::testing::TestWithParam<TRoundTrip> {};

TEST_P(DeflateRoundTrip, ZlibAndWeReadBackTheData) {
  const TRoundTrip& p = GetParam();
  std::string data = p.repetitive ? RepetitiveBytes(p.size, 5) : RandomBytes(p.size, 5, 16);
  std::string packed = Compress(data, p.method, p.piece);
  std::string back;
  ASSERT_TRUE(ZlibInflate(packed, back));
  EXPECT_TRUE(back == data);
  EXPECT_TRUE(Inflate(packed) == data);
  // The bytes do not depend on how the data was cut into writes.
  if (p.piece) {
    EXPECT_EQ(packed, Compress(data, p.method));
  }
}

INSTANTIATE_TEST_SUITE_P(
    All, DeflateRoundTrip,
    ::testing::Values(TRoundTrip{"fixed_empty", cmFixed, 0, false, 0},
                      TRoundTrip{"fixed_one", cmFixed, 1, false, 0},
                      TRoundTrip{"fixed_text_pieces", cmFixed, 300000, true, 777},
                      TRoundTrip{"fixed_noise", cmFixed, 100000, false, 1000},
                      TRoundTrip{"stored_small", cmStored, 10, false, 0},
                      TRoundTrip{"stored_big", cmStored, 200000, false, 3333},
                      TRoundTrip{"dynamic_empty", cmDynamic, 0, false, 0},
                      TRoundTrip{"dynamic_one", cmDynamic, 1, false, 0},
                      TRoundTrip{"dynamic_two", cmDynamic, 2, true, 0},
                      TRoundTrip{"dynamic_text", cmDynamic, 400000, true, 0},
                      TRoundTrip{"dynamic_noise", cmDynamic, 300000, false, 4096}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- reading what zlib wrote ----

// Level and strategy.
class InflateZlib : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(InflateZlib, DecodesEveryLevelAndStrategy) {
  for (std::string data : {RepetitiveBytes(250000, 1), RandomBytes(70000, 2, 64),
                           std::string(100000, 'x'), std::string()}) {
    std::string packed = ZlibDeflate(data, GetParam().first, GetParam().second);
    EXPECT_TRUE(Inflate(packed) == data);
    EXPECT_TRUE(Inflate(packed, 1) == data);  // byte-sized reads
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, InflateZlib,
                         ::testing::Values(std::pair{0, Z_DEFAULT_STRATEGY},
                                           std::pair{1, Z_DEFAULT_STRATEGY},
                                           std::pair{6, Z_DEFAULT_STRATEGY},
                                           std::pair{9, Z_DEFAULT_STRATEGY}, std::pair{6, Z_FIXED},
                                           std::pair{6, Z_HUFFMAN_ONLY}, std::pair{6, Z_RLE},
                                           std::pair{9, Z_FILTERED}));

// ---- reading: edge cases and errors ----

TEST(DeflateRead, StoredBlockAcrossTheRingEndAndMatchesIntoIt) {
  std::string first = RandomBytes(65336, 1);
  std::string second = RandomBytes(1000, 2);
  TFixedBits tail;
  tail.BlockHeader(true, 1);
  tail.Match(10, 1000);    // the first bytes of the block that wrapped
  tail.Match(258, 32768);  // the longest reach
  tail.Literal(256);
  std::string packed =
      StoredHeader(false, 65336) + first + StoredHeader(false, 1000) + second + tail.Bytes();
  TMemoryStream in(packed.data(), packed.size());
  in.CanWrite = false;
  TDeflateStream d(&in);
  std::string out(65336 + 1000, '\0');
  d.Read(out.data(), out.size());
  EXPECT_EQ(d.WindowPos, 800u);
  std::string rest(268, '\0');
  d.Read(rest.data(), rest.size());
  std::string all = first + second;
  EXPECT_EQ(rest.substr(0, 10), second.substr(0, 10));
  EXPECT_EQ(rest.substr(10), (all + rest.substr(0, 10)).substr(all.size() + 10 - 32768, 258));
}


std::string BadStored() {
  return StoredHeader(true, 5).replace(3, 1, "\x01") + "abcde";
}

std::string BadType() {
  TFixedBits b;
  b.BlockHeader(true, 3);
  return b.Bytes();
}

std::string FixedCode286() {
  TFixedBits b;
  b.BlockHeader(true, 1);
  b.Huffman(0xC6, 8);  // the code symbol 286 would have
  return b.Bytes();
}

std::string FixedDistance30() {
  // Symbols 30 and 31 are read like the others; with nothing written before,
  // the copy reads the zeroed ring.
  TFixedBits b;
  b.BlockHeader(true, 1);
  b.Literal('q');
  b.Literal(257);
  b.Huffman(30, 5);
  b.Put(0, 14);
  b.Literal(256);
  return b.Bytes();
}

// A dynamic block whose code-length code gives all 19 symbols 5 bits (so
// symbol s is sent as the 5-bit number s), followed by the given code-length
// symbols with their extra bits, then `tail` bits.
struct TCodeLength {
  int symbol, extra = 0, extraBits = 0;
};

std::string DynamicBlock(int hlit, int hdist, const std::vector<TCodeLength>& lengths,
                         uint32_t tail = 0, int tailBits = 0) {
  TFixedBits b;
  b.BlockHeader(true, 2);
  b.Put(hlit - 257, 5);
  b.Put(hdist - 1, 5);
  b.Put(19 - 4, 4);
  for (int i = 0; i < 19; ++i) b.Put(5, 3);
  for (const auto& l : lengths) {
    b.Huffman(l.symbol, 5);
    b.Put(l.extra, l.extraBits);
  }
  b.Put(tail, tailBits);
  return b.Bytes();
}

const std::vector<TBadInput>& BadStreams() {
  static const std::vector<TBadInput> cases = {
      {"stored_nlen", BadStored(), "Error in compressed data"},
      {"btype3", BadType(), "Error in compressed data"},
      {"fixed_286", FixedCode286(), "Invalid Huffman code"},
      {"repeat_past_table", DynamicBlock(257, 1, {{18, 127, 7}, {18, 127, 7}, {18, 127, 7}}),
       "Error in compressed data"},
      // Literal lengths: symbols 0 and 286 get one bit each (codes 0 and 1),
      // no distances; then the code 1.
      {"literal_286",
       DynamicBlock(288, 1, {{1}, {18, 127, 7}, {18, 127, 7}, {17, 6, 3}, {1}, {0}, {0}}, 1, 1),
       "Error in compressed data"},
      {"truncated", Compress(RepetitiveBytes(5000, 4), cmFixed).substr(0, 100),
       "Read less than expected"},
      {"empty", std::string(), "Read less than expected"},
  };
  return cases;
}

class DeflateBadInput : public ::testing::TestWithParam<size_t> {};

// The message is contained in the exception text.
TEST_P(DeflateBadInput, RaisesTheMessage) {
  const TBadInput& c = BadStreams()[GetParam()];
  try {
    Inflate(c.Data);
    FAIL() << c.Name;
  } catch (const ELumarteBase& e) {
    EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos)
        << c.Name << ": " << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(All, DeflateBadInput, ::testing::Range<size_t>(0, 7),
                         [](const auto& info) { return BadStreams()[info.param].Name; });

TEST(DeflateRead, DistanceSymbolThirtyReadsTheRing) {
  std::string out = Inflate(FixedDistance30());
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out, std::string("q\0\0\0", 4));
}

// ---- Adler-32 ----

TEST(Adler32, KnownValueAndAgreementWithZlib) {
  EXPECT_EQ(UpdateAdler32(kAdler32Start, "Wikipedia", 9), 0x11E60398u);
  std::string data = RandomBytes(40000, 3);
  data += std::string(20000, '\xFF');  // the largest sums
  for (size_t start : {0, 1, 7}) {
    for (size_t len : {0, 1, 15, 16, 17, 5552, 5553, 60000 - 7}) {
      auto p = reinterpret_cast<const Bytef*>(data.data() + start);
      uint32_t want = static_cast<uint32_t>(adler32(1, p, static_cast<uInt>(len)));
      EXPECT_EQ(UpdateAdler32(kAdler32Start, p, len), want) << start << "+" << len;
    }
  }
  // Continuing a sum equals one sum over the whole.
  uint32_t a = UpdateAdler32(kAdler32Start, data.data(), 12345);
  EXPECT_EQ(UpdateAdler32(a, data.data() + 12345, 30000),
            UpdateAdler32(kAdler32Start, data.data(), 42345));
}

// ---- Huffman codes ----

double KraftSum(const TCodeTable& t) {
  double sum = 0;
  for (int s = 0; s <= t.MaxCode; ++s)
    if (t.Length[s]) sum += 1.0 / (1u << t.Length[s]);
  return sum;
}

struct TFrequencyCase {
  const char* name;
  std::vector<uint32_t> freq;
  int maxBits;
  bool flatteningSuffices = true;  // else only the limited form finds lengths
};

class LengthsFromFrequenciesTest : public ::testing::TestWithParam<TFrequencyCase> {};

TEST_P(LengthsFromFrequenciesTest, GivesACompleteCodeWithinMaxBits) {
  const auto& c = GetParam();
  TCodeTable t;
  SetCodeCount(t, static_cast<int>(c.freq.size()));
  if (c.flatteningSuffices) {
    LengthsFromFrequencies(t, c.freq.data(), c.maxBits);
  } else {
    EXPECT_EQ(Message([&] { LengthsFromFrequencies(t, c.freq.data(), c.maxBits); }),
              "Too many codes for MaxBits");
    LimitedLengthsFromFrequencies(t, c.freq.data(), c.maxBits);
  }
  int used = 0;
  for (size_t s = 0; s < c.freq.size(); ++s) {
    EXPECT_EQ(t.Length[s] == 0, c.freq[s] == 0) << s;
    EXPECT_LE(t.Length[s], static_cast<uint32_t>(c.maxBits));
    used += c.freq[s] != 0;
  }
  if (used > 1) {
    EXPECT_DOUBLE_EQ(KraftSum(t), 1.0);
  }
  // More frequent symbols never get longer codes.
  for (size_t a = 0; a < c.freq.size(); ++a) {
    for (size_t b = 0; b < c.freq.size(); ++b) {
      if (c.freq[a] && c.freq[b] && c.freq[a] > c.freq[b]) {
        EXPECT_LE(t.Length[a], t.Length[b]);
      }
    }
  }
}

std::vector<uint32_t> Fibonacci(int n) {
  std::vector<uint32_t> f = {1, 1};
  while (static_cast<int>(f.size()) < n) f.push_back(f[f.size() - 1] + f[f.size() - 2]);
  return f;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LengthsFromFrequenciesTest,
    ::testing::Values(TFrequencyCase{"lone_symbol", {0, 0, 7, 0}, 15},
                      TFrequencyCase{"two", {5, 0, 9}, 15},
                      TFrequencyCase{"uniform", std::vector<uint32_t>(286, 3), 15},
                      TFrequencyCase{"fibonacci_limited", Fibonacci(25), 15},
                      TFrequencyCase{"fibonacci_code_lengths", Fibonacci(19), 7, false},
                      TFrequencyCase{"none", std::vector<uint32_t>(30, 0), 15}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the lookup table decodes exactly like the bit-by-bit walk ----

struct TWalkResult {
  std::vector<int> symbols;
  std::string error;
};

template <typename Decoder>
TWalkResult DecodeAll(const std::string& bits, const Decoder& decoder) {
  TMemoryStream src(bits.data(), bits.size());
  src.CanWrite = false;
  THuffmanBitStream s(&src);
  TWalkResult r;
  try {
    for (;;) r.symbols.push_back(s.DecodeSymbol(decoder));
  } catch (const EAssertionFailed& e) {
    r.error =
        std::string(e.what()).find("Invalid Huffman code") != std::string::npos ? "code" : "other";
  } catch (const EInOutError&) {
    r.error = "end";
  }
  return r;
}

class DecodeTableTest : public ::testing::TestWithParam<int> {};

TEST_P(DecodeTableTest, MatchesTheTreeWalkOnRandomCodeSets) {
  std::mt19937 rng(static_cast<unsigned>(GetParam()));
  int symbols = 2 + static_cast<int>(rng() % 287);
  TCodeTable t;
  SetCodeCount(t, symbols);
  std::vector<uint8_t> lengths(static_cast<size_t>(symbols));
  // Mostly sensible lengths; some sets are over-full or incomplete, as
  // damaged data would give.
  int spread = 1 + GetParam() % 15;
  for (auto& l : lengths) l = rng() % 3 == 0 ? 0 : static_cast<uint8_t>(1 + rng() % spread);
  CodesFromLengths(t, lengths.data(), 15);
  THuffmanTree tree;
  BuildDecodeTree(tree, t);
  for (int rootBits : {1, 5, 9, 10}) {
    TDecodeTable table;
    table.Build(tree, rootBits);
    std::string bits(64, '\0');
    for (auto& c : bits) c = static_cast<char>(rng());
    TWalkResult a = DecodeAll(bits, tree), b = DecodeAll(bits, table);
    EXPECT_EQ(a.symbols, b.symbols) << "root bits " << rootBits;
    EXPECT_EQ(a.error, b.error);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, DecodeTableTest, ::testing::Range(0, 60));

}  // namespace
}  // namespace lumarte::imaging

#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include "DeflateTestUtil.h"
#include "imaging/Adler32.h"

namespace lumarte::imaging {
namespace {

using test::Compress;
using test::Inflate;
using test::TFixedBits;

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
  ASSERT_TRUE(test::ZlibInflate(out, back));
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
  std::string data = test::RandomBytes(70000, 7);
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
    std::string data = test::RepetitiveBytes(size, 3);
    TMemoryStream out;
    {
      TDeflateStream d(&out);
      d.SetCompressionMethod(first);
      d.Write(data.data(), size / 2);
      d.SetCompressionMethod(second);
      d.Write(data.data() + size / 2, size - size / 2);
    }
    std::string back;
    ASSERT_TRUE(test::ZlibInflate(out.Data, back));
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
  std::string data =
      p.repetitive ? test::RepetitiveBytes(p.size, 5) : test::RandomBytes(p.size, 5, 16);
  std::string packed = Compress(data, p.method, p.piece);
  std::string back;
  ASSERT_TRUE(test::ZlibInflate(packed, back));
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

struct TZlibCase {
  int level, strategy;
};

class InflateZlib : public ::testing::TestWithParam<TZlibCase> {};

TEST_P(InflateZlib, DecodesEveryLevelAndStrategy) {
  for (std::string data : {test::RepetitiveBytes(250000, 1), test::RandomBytes(70000, 2, 64),
                           std::string(100000, 'x'), std::string()}) {
    std::string packed = test::ZlibDeflate(data, GetParam().level, GetParam().strategy);
    EXPECT_TRUE(Inflate(packed) == data);
    EXPECT_TRUE(Inflate(packed, 1) == data);  // byte-sized reads
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, InflateZlib,
                         ::testing::Values(TZlibCase{0, Z_DEFAULT_STRATEGY},
                                           TZlibCase{1, Z_DEFAULT_STRATEGY},
                                           TZlibCase{6, Z_DEFAULT_STRATEGY},
                                           TZlibCase{9, Z_DEFAULT_STRATEGY}, TZlibCase{6, Z_FIXED},
                                           TZlibCase{6, Z_HUFFMAN_ONLY}, TZlibCase{6, Z_RLE},
                                           TZlibCase{9, Z_FILTERED}));

// ---- reading: edge cases and errors ----

TEST(DeflateRead, StoredBlockAcrossTheRingEndAndMatchesIntoIt) {
  std::string first = test::RandomBytes(65336, 1);
  std::string second = test::RandomBytes(1000, 2);
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

struct TBadStream {
  const char* name;
  std::string bytes;
  const char* message;  // contained in the exception text
};

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

const std::vector<TBadStream>& BadStreams() {
  static const std::vector<TBadStream> cases = {
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
      {"truncated", Compress(test::RepetitiveBytes(5000, 4), cmFixed).substr(0, 100),
       "Read less than expected"},
      {"empty", std::string(), "Read less than expected"},
  };
  return cases;
}

class DeflateBadInput : public ::testing::TestWithParam<size_t> {};

TEST_P(DeflateBadInput, RaisesTheMessage) {
  const TBadStream& c = BadStreams()[GetParam()];
  try {
    Inflate(c.bytes);
    FAIL() << c.name;
  } catch (const ELumarteBase& e) {
    EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
        << c.name << ": " << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(All, DeflateBadInput, ::testing::Range<size_t>(0, 7),
                         [](const auto& info) { return BadStreams()[info.param].name; });

TEST(DeflateRead, DistanceSymbolThirtyReadsTheRing) {
  std::string out = Inflate(FixedDistance30());
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out, std::string("q\0\0\0", 4));
}

// ---- Adler-32 ----

TEST(Adler32, KnownValueAndAgreementWithZlib) {
  EXPECT_EQ(UpdateAdler32(kAdler32Start, "Wikipedia", 9), 0x11E60398u);
  std::string data = test::RandomBytes(40000, 3);
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

}  // namespace
}  // namespace lumarte::imaging

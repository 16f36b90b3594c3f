#include <gtest/gtest.h>

#include "support/ErrorMessage.h"
#include "support/TempFolder.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "imaging/BitStream.h"
#include "imaging/BufStream.h"
#include "imaging/CRC32Stream.h"
#include "imaging/DynamicLists.h"
#include "imaging/FileUtils.h"
#include "imaging/MemUtils.h"
#include "imaging/TextStrm.h"

using namespace lumarte;
using namespace lumarte::imaging;

TEST(BufferedStream, ShortReadConsumesRestThenRaises) {
  TMemoryStream src("0123456789", 10);
  TBufferedStream buf(-1, &src, 0);
  char out[32];
  EXPECT_EQ(buf.Read(out, 4), 4u);
  EXPECT_EQ(std::string(out, 4), "0123");
  EXPECT_EQ(Message([&] { buf.Read(out, 20); }), "Read less than expected");
  EXPECT_EQ(std::string(out, 6), "456789");
  EXPECT_TRUE(buf.Eof());
}

TEST(BufferedStream, BufferSizeOneRefused) {
  TMemoryStream src;
  EXPECT_THROW(TBufferedStream(1, &src, 0), EStreamCreate);
  EXPECT_EQ(Message([&] { TBufferedStream(0, &src, 1); }), "Invalid buffer size");
}

// Reads and writes of many sizes across buffer boundaries give back the bytes;
// a reader gives its source back its ExactCount.
class BufferedRoundTrip : public ::testing::TestWithParam<std::pair<int, size_t>> {};

TEST_P(BufferedRoundTrip, BytesSurvive) {
  auto [bufSize, chunk] = GetParam();
  std::string data(10000, 0);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + i / 13);
  TMemoryStream sink;
  {
    TBufferedStream out(0, &sink, bufSize);
    for (size_t i = 0; i < data.size(); i += chunk)
      out.Write(data.data() + i, std::min(chunk, data.size() - i));
  }
  ASSERT_EQ(sink.Data, data);
  sink.Seek(0);
  std::string back(data.size(), 0);
  {
    TBufferedStream in(bufSize, &sink, 0);
    for (size_t i = 0; i < data.size(); i += chunk)
      in.ReadExact(back.data() + i, std::min(chunk, data.size() - i));
    EXPECT_EQ(in.Available(), 0);
  }
  EXPECT_EQ(back, data);
  EXPECT_TRUE(sink.ExactCount);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BufferedRoundTrip,
                         ::testing::Values(std::pair{2, size_t{1}}, std::pair{16, size_t{7}},
                                           std::pair{16, size_t{16}}, std::pair{16, size_t{40}},
                                           std::pair{-1, size_t{4096}}, std::pair{0, size_t{3}}));

// Least significant bit first; destruction flushes the partial byte; a bit
// count over 32 names the unit and line.
TEST(BitStream, PacksLeastSignificantFirstAndReadsBack) {
  TMemoryStream sink;
  {
    TBitStream bits(&sink);
    bits.WriteBits(5, 3);
    bits.WriteBits(1, 1);
    bits.WriteBits(0xDEADBEEF, 32);
    bits.WriteBits(0x3, 2);
    std::string msg = Message([&] { bits.WriteBits(1, 33); });
    EXPECT_NE(msg.find("BitStream.cpp, line"), std::string::npos) << msg;
  }
  EXPECT_EQ(sink.Data, std::string("\xFD\xEE\xDB\xEA\x3D", 5));
  sink.Seek(0);
  TBitStream in(&sink);
  uint8_t out[4] = {};
  EXPECT_EQ(in.ReadBits(out, 4), 4);
  EXPECT_EQ(out[0], 0x0D);
  EXPECT_EQ(in.ReadBits(out, 32), 32);
  EXPECT_EQ(out[3], 0xDE);
  EXPECT_EQ(in.ReadBit(), 1);
  EXPECT_EQ(in.ReadBit(), 1);
  EXPECT_EQ(in.ReadBit(), 0);
  in.Flush();
  EXPECT_EQ(in.ReadBits(out, 8), 0);  // nothing after the aligned end
}

struct TextCase {
  std::string data;
  std::vector<std::string> lines;
};

class TextStreamLines : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextStreamLines, ReadsEveryConvention) {
  const auto& c = GetParam();
  TMemoryStream src(c.data.data(), c.data.size());
  TTextStream text(-1, &src, 0);
  for (const auto& want : c.lines) EXPECT_EQ(text.ReadLine(), want);
  EXPECT_EQ(Message([&] { text.ReadLine(); }),
            "Error reading from stream - Read beyond end of stream");
  EXPECT_EQ(text.LineCount, static_cast<int>(c.lines.size()));
}

INSTANTIATE_TEST_SUITE_P(LineEnds, TextStreamLines,
                         ::testing::Values(TextCase{"a\r\nb", {"a", "b"}},
                                           TextCase{"a\nb\n", {"a", "b"}},
                                           TextCase{"a\n\rb\n\r", {"a", "b"}},
                                           TextCase{"a\rb\r\rc", {"a", "b", "", "c"}},
                                           TextCase{"one\r\ntw\ro\r\n", {"one", "tw", "o"}},
                                           TextCase{"", {}}));

TEST(TextStream, WriteLineUsesCrLf) {
  TMemoryStream sink;
  {
    TTextStream text(0, &sink, -1);
    text.WriteLine("x");
    text.WriteText("y");
  }
  EXPECT_EQ(sink.Data, "x\r\ny");
}

TEST(TextStream, WithoutReadBufferCannotRead) {
  TMemoryStream src("a\n", 2);
  TTextStream text(0, &src, 0);
  EXPECT_EQ(Message([&] { text.ReadLine(); }), "Cannot read from stream");
}

TEST(FileStream, MessagesCarryNameAndSystemText) {
  lumarte::fixtures::TempFolder temp;
  auto missing = temp.File("missing.bin");
  EXPECT_EQ(Message([&] { TFileStream s(missing, fmRead | fmShareRead); }),
            "Error opening \"" + missing + "\" - No such file or directory");
  EXPECT_EQ(Message([&] { TFileStream s(missing, fmCreate); }),
            "Either read, write or full access must be specified in call to CreateFile");
  TFileStream s(temp.File("f.bin"), fmRead | fmWrite | fmCreate);
  s.Write("hello", 5);
  s.Seek(0);
  char buf[16];
  EXPECT_EQ(Message([&] { s.Read(buf, 6); }), "Read less than expected");
}

TEST(DynamicList, GrowthRulesAndStreaming) {
  void* block = nullptr;
  TDynamicList list(4, &block);
  uint32_t v = 7;
  list.Add(&v);
  EXPECT_EQ(list.Capacity(), 16);
  EXPECT_EQ(block, list.Data());
  for (uint32_t i = 0; i < 16; ++i) list.Add(&i);
  EXPECT_EQ(list.Capacity(), 32);
  EXPECT_EQ(block, list.Data());
  list.Delete(0);
  EXPECT_EQ(*reinterpret_cast<uint32_t*>(list.Item(0)), 0u);
  EXPECT_THROW(list.Delete(16), EAssertionFailed);
  list.GrowBy = 3;
  while (list.Count < list.Capacity()) list.Add();
  list.Add();
  EXPECT_EQ(list.Capacity(), 35);
  TMemoryStream mem;
  list.SaveToStream(mem);
  mem.Seek(0);
  TDynamicList back(4);
  back.LoadFromStream(mem);
  EXPECT_EQ(back.Count, list.Count);
  EXPECT_EQ(std::memcmp(back.Data(), list.Data(), list.Count * 4), 0);
}

TEST(DynamicList, CorruptCountIsAnErrorNotAnAllocation) {
  TMemoryStream mem("\xFF\xFF\xFF\x0F", 4);
  TDynamicList list(8);
  EXPECT_THROW(list.LoadFromStream(mem), EInOutError);
}

// The folded fast path must agree with the bytewise definition at every
// length and alignment around its 16- and 64-byte steps.
TEST(CRC32, FastPathMatchesBitwiseDefinition) {
  EXPECT_EQ(CRC32("123456789", 9), 0xCBF43926u);  // the standard check value
  std::vector<uint8_t> data(1200);
  uint32_t s = 7;
  for (auto& b : data) b = static_cast<uint8_t>((s = s * 134775813u + 1) >> 24);
  auto slow = [&](size_t off, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = off; i < off + n; ++i) {
      c ^= data[i];
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return ~c;
  };
  for (size_t off : {0, 1, 7, 13})
    for (size_t n : {0, 1, 15, 16, 63, 64, 65, 79, 80, 127, 128, 129, 1000, 1187})
      ASSERT_EQ(CRC32(data.data() + off, n), slow(off, n)) << off << " " << n;
}

TEST(FileUtils, PathHelpers) {
  EXPECT_EQ(AddBackslash("/tmp"), "/tmp/");
  EXPECT_EQ(AddBackslash("/tmp/"), "/tmp/");
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(ExtractExt("dir.x/a.b.Png"), "Png");
  EXPECT_EQ(ExtractExt("dir.x/noext"), "");
  EXPECT_EQ(ProgramDirectory().back(), '/');
  EXPECT_TRUE(std::filesystem::exists(ProgramDirectory()));
}

// The pattern's extension matches in any case; hidden files and folders only
// when asked for. The orders of SortFiles are checked with the browser's keys.
TEST(FileUtils, FindFiles) {
  lumarte::fixtures::TempFolder temp;
  const auto& dir = temp.Path;
  std::filesystem::create_directories(dir / "sub.jpg");
  for (const char* name : {"b.JPG", "a.jpg", ".h.jpg", "d.png"}) std::ofstream(dir / name) << "x";
  auto files = FindFiles(dir.string() + "/*.jpg", 0);
  SortFiles(files, files.size(), 0);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].Name, "a.jpg");
  EXPECT_EQ(files[1].Name, "b.JPG");
  EXPECT_EQ(ListFileNames(dir.string() + "/*.jpg", faDirectory | faHidden).size(), 4u);
}

TEST(MemUtils, Searches) {
  const char data[] = "abcabd";
  EXPECT_EQ(FindByte(data, 6, 'c'), 2);
  EXPECT_EQ(FindByte(data, 6, 'z'), -1);
  EXPECT_EQ(FindWord(data, 6, 'a', 'b'), 0);
  EXPECT_EQ(FindWord(data, 6, 'b', 'd'), 4);
  EXPECT_EQ(FindWord(data, 5, 'b', 'd'), -1);
  EXPECT_EQ(SwapEndian32(0x11223344u), 0x44332211u);
}

#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include <random>

#include "imaging/Huffman.h"

namespace lumarte::imaging {
namespace {

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

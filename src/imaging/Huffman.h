#pragma once
// Huffman code tables, decode trees and the bit stream that carries
// Huffman-coded Deflate data.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/BitStream.h"

namespace lumarte::imaging {

// Largest alphabet in use: the Deflate literal/length alphabet.
constexpr int kMaxHuffmanSymbols = 288;

// One code per symbol. Code is stored bit-reversed, so that writing it least
// significant bit first puts the Huffman code on the wire most significant
// bit first. Length 0 marks an unused symbol.
struct TCodeTable {
  int MaxCode = -1;  // highest symbol number
  std::array<uint32_t, kMaxHuffmanSymbols> Code{};
  std::array<uint32_t, kMaxHuffmanSymbols> Length{};
};

void SetCodeCount(TCodeTable& table, int n);
// Canonical code assignment (RFC 1951) for lengths[0..MaxCode].
void CodesFromLengths(TCodeTable& table, const uint8_t* lengths, int maxBits);
// Every symbol gets `bits` bits and the code equal to its number.
void FixedLengthCodes(TCodeTable& table, int bits);
// Builds code lengths of at most maxBits from symbol frequencies, then the codes.
// Raises "Too many codes for MaxBits" when its flattening rounds run out.
void LengthsFromFrequencies(TCodeTable& table, const uint32_t* frequencies, int maxBits);
// The same, but where the flattening runs out the frequencies are halved
// (staying non-zero) and tried again: always succeeds when 2^maxBits covers
// the used symbols. For encoders, which must not fail on skewed data.
void LimitedLengthsFromFrequencies(TCodeTable& table, const uint32_t* frequencies, int maxBits);

// Decode tree: nodes 0..MaxCode are the leaves (node number = symbol), the
// internal nodes follow, starting with the root.
struct THuffmanTree {
  static constexpr uint16_t kNone = 0xFFFF;
  struct TNode {
    uint16_t One = kNone;
    uint16_t Zero = kNone;
    uint16_t Parent = kNone;
    uint32_t Weight = 0;
  };
  std::vector<TNode> Nodes;
  int MaxCode = -1;
  int Root = 0;
  int LastNode = 0;

  bool IsLeaf(int node) const { return node <= MaxCode; }
};

// Follows each used symbol's code from the root in transmission order,
// creating internal nodes as needed; the last bit attaches the leaf.
void BuildDecodeTree(THuffmanTree& tree, const TCodeTable& table);

// A two-level lookup table derived from a decode tree. Indexed by the next
// bits of the stream (first bit lowest), an entry tells what walking the tree
// down those bits meets first: a leaf, an absent child, or (for codes longer
// than the root level) a second-level table. Decoding with it gives exactly
// the results of the bit-by-bit walk, also for damaged code sets.
class TDecodeTable {
 public:
  // Entry layout. A symbol: symbol << 16 | bits consumed (so every entry below
  // kSpecial is a symbol, and symbol < 256 means entry < 256 << 16).
  // Special entries: kInvalid | bits consumed up to the absent child, or
  // kLink | table offset << 12 | second-level bits << 8.
  static constexpr uint32_t kSpecial = 0x40000000;
  static constexpr uint32_t kInvalid = 0x40000000;
  static constexpr uint32_t kLink = 0x80000000;

  void Build(const THuffmanTree& tree, int rootBits);
  // The same table for the code of `codes`. A complete code (every bit string
  // leads to a symbol) is filled straight from its codes; any other goes
  // through `tree`, so that damaged code sets decode as the tree walk does.
  void Build(const TCodeTable& codes, int rootBits, THuffmanTree& tree);

  // Entry for the low bits of `bits`; bits beyond the stream's end must be 0.
  uint32_t Lookup(uint64_t bits) const { return Resolve(Entries[bits & RootMask], bits); }
  // Follows a link entry to the second level.
  uint32_t Resolve(uint32_t e, uint64_t bits) const {
    if (e & kLink)
      e = Entries[((e >> 12) & 0xFFFF) + ((bits >> RootBits) & ((1u << ((e >> 8) & 15)) - 1))];
    return e;
  }
  static int BitCount(uint32_t entry) { return entry & 31; }
  static int Symbol(uint32_t entry) { return static_cast<int>(entry >> 16); }

  int RootBits = 0;
  uint32_t RootMask = 0;
  std::vector<uint32_t> Entries;

 private:
  void Fill(const THuffmanTree& tree, int node, size_t offset, int tableBits, int depth,
            uint32_t path, int prior);
};

[[noreturn]] void RaiseInvalidHuffmanCode();

// A bit stream for Huffman-coded data. Bits are buffered in both directions
// (a 64-bit accumulator and a byte block) instead of going to the source one
// byte at a time; the bits on the wire are the same as TBitStream's.
//
// Reading takes ahead only what the source reports as Available; a bit that is
// really needed beyond that is read with an exact one-byte read, so a short
// source raises the source's own error at the same point as bit-by-bit
// reading would. Bytes taken ahead are not given back to the source.
// Writing hands every completed byte to the source at the end of each public
// operation (PushOutput), as an unbuffered bit stream would have.
class THuffmanBitStream : public TBitStream {
 public:
  explicit THuffmanBitStream(TBaseStream* source);
  ~THuffmanBitStream() override;

  void WriteBits(uint32_t value, int count) {
    if (count < 0 || count > 32) RaiseBadBitCount();
    OutBits |= (value & ((uint64_t{1} << count) - 1)) << OutCount;
    OutCount += count;
    if (OutCount >= 32) SpillOutput();
  }
  void WriteCode(const TCodeTable& table, int symbol) {
    WriteBits(table.Code[symbol], static_cast<int>(table.Length[symbol]));
  }
  int ReadBit() { return static_cast<int>(ReadValue(1)); }
  int ReadBits(void* buffer, int count);
  // Reads count (at most 32) bits as a number, first bit lowest.
  uint32_t ReadValue(int count);
  // Bit-by-bit walk down the tree; an absent child raises "Invalid Huffman code".
  int DecodeSymbol(const THuffmanTree& tree);
  // The same result through the lookup table.
  int DecodeSymbol(const TDecodeTable& table);
  // Byte alignment: a partial output byte is written (and handed on); a partly
  // read byte is dropped.
  void Flush() override;
  int64_t Available() override;

 protected:
  static constexpr size_t kInSize = 32768;
  static constexpr size_t kOutSize = 32768;

  // Input: InBits holds InCount valid bits (higher bits zero), then the bytes
  // InBuf[InPos..InFill).
  uint64_t InBits = 0;
  int InCount = 0;
  std::unique_ptr<uint8_t[]> InBuf;
  size_t InPos = 0, InFill = 0;
  // Output: OutBits holds OutCount pending bits, OutBuf[0..OutFill) whole bytes.
  uint64_t OutBits = 0;
  int OutCount = 0;
  std::unique_ptr<uint8_t[]> OutBuf;
  size_t OutFill = 0;

  // Moves whole bytes from the input block into InBits (up to 56 bits held);
  // refills the block from the source as far as it reports data available.
  void FillBits();
  // Makes count (at most 56) bits available, reading exactly when needed.
  void NeedBits(int count);
  void DropBits(int count) {
    InBits >>= count;
    InCount -= count;
  }
  // Takes count bytes of the input at byte alignment: from the bit buffer,
  // the input block, then exactly from the source.
  void ReadAlignedBytes(uint8_t* out, size_t count);
  // Refills the input block from the source without raising; false if nothing came.
  bool RefillInput();
  // Moves the whole bytes of OutBits into OutBuf.
  void SpillOutput() {
    if (OutFill + 8 > kOutSize) WriteOutBuffer();
    uint64_t v = OutBits;
    for (int i = 0; i < 8; ++i) OutBuf[OutFill + i] = static_cast<uint8_t>(v >> (8 * i));
    int bytes = OutCount >> 3;
    OutFill += bytes;
    OutBits = bytes == 8 ? 0 : OutBits >> (8 * bytes);
    OutCount &= 7;
  }
  // Pads the partial output byte with zero bits.
  void AlignOutput() {
    OutCount = (OutCount + 7) & ~7;
    if (OutCount >= 32) SpillOutput();
  }
  void WriteAlignedBytes(const uint8_t* data, size_t count);
  [[noreturn]] static void RaiseBadBitCount();
  // Hands all completed output bytes to the source.
  void PushOutput() {
    SpillOutput();
    WriteOutBuffer();
  }
  void WriteOutBuffer();
};

}  // namespace lumarte::imaging

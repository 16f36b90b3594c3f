#pragma once
// Raw Deflate (RFC 1951) as a filter stream: on a source that can write it
// compresses what is written to it; on a source that can only read it
// decompresses what is read from it. No zlib header or trailer.
#include <bit>
#include <cstdint>
#include <memory>

#include "imaging/DeflateTables.h"
#include "imaging/Huffman.h"

namespace lumarte::imaging {

enum TCompressionMethod : int { cmDynamic = 0, cmFixed = 1, cmStored = 2 };

class TDeflateStream : public THuffmanBitStream {
 public:
  static constexpr uint32_t kWindowSize = 65536;

  explicit TDeflateStream(TBaseStream* source);
  // Finishes a writing stream (see Finish); errors there are swallowed, so
  // writers that must know call Finish themselves.
  ~TDeflateStream() override;
  TDeflateStream(const TDeflateStream&) = delete;
  TDeflateStream& operator=(const TDeflateStream&) = delete;

  // Changing the method while a block is open finishes that block first.
  void SetCompressionMethod(TCompressionMethod method);
  TCompressionMethod CompressionMethod() const { return Method; }

  // Compresses; "Stream not open for write" on a reading stream.
  size_t Write(const void* buffer, size_t count) override;
  // Decompresses. After the final block: "Read less than expected" when
  // ExactCount is set, else the bytes delivered so far.
  size_t Read(void* buffer, size_t count) override;
  // Writing: compresses everything pending and closes the open block.
  void Flush() override;
  int64_t Available() override;
  // Writing: marks the next block final, flushes, pads the last byte and
  // hands everything to the source. Later calls do nothing.
  void Finish();

  // State visible to tests and callers.
  bool FinalBlock = false;    // next block header written gets BFINAL; reading: final block begun
  bool FlushPending = false;  // the compressor must finish the current block now
  bool BlockOpen = false;     // a block has begun and its end code is not yet written
  uint32_t WindowPos = 0;     // 16-bit ring position of the next byte to compress / produce
  uint32_t InsertPos = 0;     // writing: where the next written byte goes
  uint32_t OutputPos = 0;     // reading: next byte handed to the reader
  uint32_t Pending = 0;       // writing: bytes not yet compressed; reading: produced, not delivered
  uint32_t AbsolutePos = 0;   // window bytes entered into the dictionary

 private:
  enum TReadState { rsHeader = 0, rsSymbols = 2 };

  bool Writing = false;
  bool Finished = false;
  TCompressionMethod Method = cmDynamic;
  // The ring, with kMirror spare bytes after its end: the writer repeats the
  // ring's first bytes there so that matches can be compared eight bytes at
  // a time without wrapping; the reader's eight-byte copies may read into them.
  static constexpr uint32_t kMirror = 272;
  std::unique_ptr<uint8_t[]> Window;

  // ---- reading ----
  TReadState ReadState = rsHeader;
  THuffmanTree LiteralTree, DistanceTree;
  TDecodeTable LiteralTable, DistanceTable;
  bool FixedTablesBuilt = false;
  TDecodeTable FixedLiteralTable, FixedDistanceTable;
  const TDecodeTable* CurLiteral = nullptr;
  const TDecodeTable* CurDistance = nullptr;
  // The literal/length root level again, where two literals whose codes fit
  // into the root bits together become one entry (kPair): short codes then
  // take one table lookup per two bytes.
  static constexpr uint32_t kPair = 0x20000000;
  std::vector<uint32_t> PairEntries, FixedPairEntries;
  const uint32_t* CurPairs = nullptr;
  static void BuildPairTable(const TDecodeTable& literals, std::vector<uint32_t>& pairs);

  void ReadBlockHeader();
  void ReadStoredBlock();
  void UseFixedTables();
  void ReadDynamicTables();
  // Produces about `want` bytes of the current block into the ring (or ends the block).
  void DecodeSymbols(uint32_t want);
  bool DecodeFast(uint32_t& produced, uint32_t want);
  void DecodeOneSymbol(uint32_t& produced);
  void CopyMatch(uint32_t length, uint32_t distance);

  // ---- writing ----
  TCodeTable LiteralCodes, DistanceCodes;
  // Dictionary: per two-byte key the last 16 absolute positions where that key
  // ended (DictSlots) and an insertion counter (DictCounts).
  std::unique_ptr<uint32_t[]> DictSlots;
  std::unique_ptr<uint8_t[]> DictCounts;
  bool SeenFirstByte = false;
  bool VerifyKeys = false;  // compare the key bytes of candidates too (streams past 2 GiB)
  // Dynamic method: buffered (value, kind) pairs.
  struct TSymbol {
    uint16_t Value, Kind;
  };
  static constexpr uint16_t kLiteralKind = 0xFFFF, kDistanceKind = 0xFFFE;
  std::unique_ptr<TSymbol[]> Symbols;
  uint32_t SymbolCount = 0;

  void StoreInWindow(const uint8_t* data, uint32_t count);
  void RunCompressor();
  void CompressFixed();
  void CompressStored();
  void CompressDynamic();
  void AdvanceWindow(uint32_t count);
  // Best match at WindowPos: length (0 when none) and distance.
  uint32_t FindMatch(uint32_t& distance) const;
  void WriteFixedMatch(uint32_t length, uint32_t distance);
  void AddSymbol(uint16_t value, uint16_t kind) { Symbols[SymbolCount++] = {value, kind}; }
  void BufferMatch(uint32_t length, uint32_t distance);
  void WriteDynamicBlock(bool final);
  void WriteCodeLengths(const uint8_t* lengths, int count);
};

// Deflate alphabet helpers shared by the coder and tests.
struct TLengthCode {
  uint16_t Symbol;
  uint8_t ExtraBits;
  uint16_t Extra;
};
// Length 3..258.
inline TLengthCode LengthCode(uint32_t length) {
  LUMARTE_ASSERT(length >= 3 && length <= 258);
  uint16_t sym = deflate_tables::kLengthSymbol[length];
  return {sym, deflate_tables::kLengthExtra[sym - 257],
          static_cast<uint16_t>(length - deflate_tables::kLengthBase[sym - 257])};
}

// Distance 1..32768.
inline TLengthCode DistanceCode(uint32_t distance) {
  LUMARTE_ASSERT(distance >= 1 && distance <= 32768);
  if (distance <= 4) return {static_cast<uint16_t>(distance - 1), 0, 0};
  uint32_t x = distance - 1;
  int e = std::bit_width(x) - 2;  // extra bits
  auto symbol = static_cast<uint16_t>(2 * e + 2 + ((x >> e) & 1));
  return {symbol, static_cast<uint8_t>(e), static_cast<uint16_t>(x & ((1u << e) - 1))};
}

}  // namespace lumarte::imaging

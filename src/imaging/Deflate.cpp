// TDeflateStream: construction, the shared alphabets and decompression.
#include "imaging/Deflate.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "imaging/DeflateTables.h"
#include "imaging/Endian.h"

namespace lumarte::imaging {

using namespace deflate_tables;

namespace {

[[noreturn]] void RaiseBadData() {
  throw EFormatError("Error in compressed data");
}

uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;  // the platforms we build for are little-endian
}

void Copy8(uint8_t* dst, const uint8_t* src) {
  uint64_t v;
  std::memcpy(&v, src, 8);
  std::memcpy(dst, &v, 8);
}

constexpr size_t kDictSlotCount = 65536 * 16;

// Writers are made per picture (thumbnails, icons); each thread keeps one
// spare 4 MiB dictionary, because refilling it costs far less than fresh pages.
thread_local std::unique_ptr<uint32_t[]> tSpareDictSlots;

}  // namespace

TDeflateStream::TDeflateStream(TBaseStream* source)
    : THuffmanBitStream(source),
      Writing(source->CanWrite),
      Window(new uint8_t[kWindowSize + kMirror]()) {
  CanWrite = Writing;
  CanRead = !Writing && source->CanRead;
  if (Writing) {
    DictSlots = tSpareDictSlots ? std::move(tSpareDictSlots)
                                : std::unique_ptr<uint32_t[]>(new uint32_t[kDictSlotCount]);
    std::memset(DictSlots.get(), 128, kDictSlotCount * sizeof(uint32_t));
    DictCounts.reset(new uint8_t[65536]);
    std::memset(DictCounts.get(), 128, 65536);
    Symbols.reset(new TSymbol[65537]);
  }
}

TDeflateStream::~TDeflateStream() {
  try {
    Finish();
  } catch (...) {
    // Reported only to callers that call Finish themselves.
  }
  if (!tSpareDictSlots) tSpareDictSlots = std::move(DictSlots);
}

int64_t TDeflateStream::Available() {
  return THuffmanBitStream::Available() + (Writing ? 0 : Pending);
}

// ---- reading ----

size_t TDeflateStream::Read(void* buffer, size_t count) {
  if (!CanRead) throw EInOutError("Cannot read from stream");
  auto out = static_cast<uint8_t*>(buffer);
  size_t done = 0;
  while (done < count) {
    if (Pending) {
      uint32_t n =
          static_cast<uint32_t>(std::min<size_t>({count - done, Pending, kWindowSize - OutputPos}));
      std::memcpy(out + done, Window.get() + OutputPos, n);
      OutputPos = (OutputPos + n) & 0xFFFF;
      Pending -= n;
      done += n;
    } else if (ReadState == rsHeader) {
      if (FinalBlock) {
        if (ExactCount) RaiseShortTransfer();
        break;
      }
      ReadBlockHeader();
    } else {
      DecodeSymbols(static_cast<uint32_t>(std::min<size_t>(count - done, 32768)));
    }
  }
  return done;
}

void TDeflateStream::ReadBlockHeader() {
  FinalBlock = ReadValue(1);
  switch (ReadValue(2)) {
    case 0:
      ReadStoredBlock();
      break;
    case 1:
      UseFixedTables();
      ReadState = rsSymbols;
      break;
    case 2:
      ReadDynamicTables();
      ReadState = rsSymbols;
      break;
    default:
      RaiseBadData();
  }
}

void TDeflateStream::ReadStoredBlock() {
  uint8_t h[4];
  ReadAlignedBytes(h, 4);
  uint32_t len = LittleEndian16(h), nlen = LittleEndian16(h + 2);
  if (nlen != (~len & 0xFFFF)) RaiseBadData();
  uint32_t first = std::min(len, kWindowSize - WindowPos);
  ReadAlignedBytes(Window.get() + WindowPos, first);
  ReadAlignedBytes(Window.get(), len - first);
  OutputPos = WindowPos;
  WindowPos = (WindowPos + len) & 0xFFFF;
  Pending = len;
  ReadState = rsHeader;
}

void TDeflateStream::UseFixedTables() {
  if (!FixedTablesBuilt) {
    THuffmanTree tree;
    FixedLiteralLengths(LiteralCodes);
    BuildDecodeTree(tree, LiteralCodes);
    FixedLiteralTable.Build(tree, 9);
    SetCodeCount(DistanceCodes, 32);
    FixedLengthCodes(DistanceCodes, 5);
    BuildDecodeTree(tree, DistanceCodes);
    FixedDistanceTable.Build(tree, 5);
    BuildPairTable(FixedLiteralTable, FixedPairEntries);
    FixedTablesBuilt = true;
  }
  CurLiteral = &FixedLiteralTable;
  CurDistance = &FixedDistanceTable;
  CurPairs = FixedPairEntries.data();
}

void TDeflateStream::ReadDynamicTables() {
  int hlit = static_cast<int>(ReadValue(5)) + 257;
  int hdist = static_cast<int>(ReadValue(5)) + 1;
  int hclen = static_cast<int>(ReadValue(4)) + 4;
  uint8_t clen[19] = {};
  for (int i = 0; i < hclen; ++i) clen[kCodeLengthOrder[i]] = static_cast<uint8_t>(ReadValue(3));
  TCodeTable lengthCodes;
  SetCodeCount(lengthCodes, 19);
  CodesFromLengths(lengthCodes, clen, 7);
  THuffmanTree lengthTree;
  TDecodeTable lengthTable;
  lengthTable.Build(lengthCodes, 7, lengthTree);

  uint8_t lengths[288 + 32] = {};
  const int total = hlit + hdist;
  for (int n = 0; n < total;) {
    int sym = DecodeSymbol(lengthTable);
    if (sym < 16) {
      lengths[n++] = static_cast<uint8_t>(sym);
      continue;
    }
    uint8_t value = 0;
    int repeat;
    if (sym == 16) {
      repeat = 3 + static_cast<int>(ReadValue(2));
      value = n ? lengths[n - 1] : 0;
    } else if (sym == 17) {
      repeat = 3 + static_cast<int>(ReadValue(3));
    } else if (sym == 18) {
      repeat = 11 + static_cast<int>(ReadValue(7));
    } else {
      RaiseBadData();
    }
    if (n + repeat > total) RaiseBadData();  // a run may not leave the table
    std::memset(lengths + n, value, static_cast<size_t>(repeat));
    n += repeat;
  }

  uint8_t dist[32] = {};
  std::memcpy(dist, lengths + hlit, static_cast<size_t>(hdist));
  SetCodeCount(DistanceCodes, 32);
  CodesFromLengths(DistanceCodes, dist, 15);
  DistanceTable.Build(DistanceCodes, 8, DistanceTree);

  uint8_t lit[288] = {};
  std::memcpy(lit, lengths, static_cast<size_t>(hlit));
  SetCodeCount(LiteralCodes, 288);
  CodesFromLengths(LiteralCodes, lit, 15);
  LiteralTable.Build(LiteralCodes, 11, LiteralTree);

  BuildPairTable(LiteralTable, PairEntries);
  CurLiteral = &LiteralTable;
  CurDistance = &DistanceTable;
  CurPairs = PairEntries.data();
}

void TDeflateStream::BuildPairTable(const TDecodeTable& literals, std::vector<uint32_t>& pairs) {
  constexpr uint32_t kLiteralLimit = 256u << 16;  // entries below are plain literals
  const uint32_t* e = literals.Entries.data();
  const int rootBits = literals.RootBits;
  pairs.assign(e, e + (size_t{1} << rootBits));
  for (uint32_t i = 0; i <= literals.RootMask; ++i) {
    if (e[i] >= kLiteralLimit) continue;
    uint32_t n1 = e[i] & 31;
    // The second code is looked up with the unknown bits as zeros: it counts
    // only if it ends within the known ones.
    uint32_t second = e[i >> n1];
    if (second >= kLiteralLimit || n1 + (second & 31) > static_cast<uint32_t>(rootBits)) continue;
    pairs[i] = kPair | (second >> 16) << 20 | (e[i] >> 16) << 12 | (n1 + (second & 31));
  }
}

void TDeflateStream::DecodeSymbols(uint32_t want) {
  uint32_t produced = 0;
  while (ReadState == rsSymbols && produced < want) {
    if (!DecodeFast(produced, want)) DecodeOneSymbol(produced);
  }
}

// One symbol with exact reads: used near the end of the input and where the
// ring wraps.
void TDeflateStream::DecodeOneSymbol(uint32_t& produced) {
  int sym = DecodeSymbol(*CurLiteral);
  if (sym < 256) {
    Window[WindowPos] = static_cast<uint8_t>(sym);
    WindowPos = (WindowPos + 1) & 0xFFFF;
    ++Pending;
    ++produced;
    return;
  }
  if (sym == 256) {
    ReadState = rsHeader;
    return;
  }
  if (sym > 285) RaiseBadData();
  uint32_t length = kLengthBase[sym - 257] + ReadValue(kLengthExtra[sym - 257]);
  int d = DecodeSymbol(*CurDistance);
  uint32_t distance = kDistanceBase[d] + ReadValue(kDistanceExtra[d]);
  CopyMatch(length, distance);
  produced += length;
}

void TDeflateStream::CopyMatch(uint32_t length, uint32_t distance) {
  uint8_t* win = Window.get();
  uint32_t from = WindowPos - distance;
  for (uint32_t i = 0; i < length; ++i) win[(WindowPos + i) & 0xFFFF] = win[(from + i) & 0xFFFF];
  WindowPos = (WindowPos + length) & 0xFFFF;
  Pending += length;
}

// The main loop: runs while the input block holds at least 8 bytes and a
// longest match fits before the end of the ring, so that neither the bit
// refill nor the copies need checks. Returns false when it cannot start.
//
// After each refill at least 56 bits are held, and one round uses at most
// 49 (literal/length code 15, extra 5, distance code 15, extra 14), so the
// next literal/length entry is looked up before the refill and the table
// load overlaps it.
bool TDeflateStream::DecodeFast(uint32_t& produced, uint32_t want) {
  constexpr uint32_t kLastStart = kWindowSize - 258;
  if (WindowPos > kLastStart) return false;
  if (InFill - InPos < 8) {
    if (InPos) {
      std::memmove(InBuf.get(), InBuf.get() + InPos, InFill - InPos);
      InFill -= InPos;
      InPos = 0;
    }
    int64_t avail = Source->Available();
    if (avail > 0) {
      size_t n =
          static_cast<size_t>(std::min<int64_t>(avail, static_cast<int64_t>(kInSize - InFill)));
      InFill += Source->Read(InBuf.get() + InFill, n);
    }
    if (InFill - InPos < 8) return false;
  }
  const uint8_t* in = InBuf.get() + InPos;
  const uint8_t* const inLast = InBuf.get() + InFill - 8;
  uint8_t* const win = Window.get();
  uint32_t w = WindowPos;
  const uint32_t limit = std::min(w + (want - produced), kLastStart + 1);
  uint64_t bits = InBits;
  uint64_t count = static_cast<uint64_t>(InCount);
  const TDecodeTable& lit = *CurLiteral;
  const TDecodeTable& dist = *CurDistance;
  const uint32_t* const pairs = CurPairs;
  const uint64_t litMask = lit.RootMask;

  // Bits above `count` are always the true next bits of the stream (or 0).
  auto refill = [&] {
    bits |= Load64(in) << count;
    in += (63 - count) >> 3;
    count |= 56;
  };
  auto take = [&](uint32_t n) {
    uint32_t v = static_cast<uint32_t>(bits & ((uint64_t{1} << n) - 1));
    bits >>= n;
    count -= n;
    return v;
  };
  auto save = [&] {
    InBits = bits & ((uint64_t{1} << count) - 1);
    InCount = static_cast<int>(count);
    InPos = static_cast<size_t>(in - InBuf.get());
    produced += w - WindowPos;
    Pending += w - WindowPos;
    WindowPos = w & 0xFFFF;
  };

  refill();
  uint32_t e = pairs[bits & litMask];
  constexpr uint32_t kLiteralLimit = 256u << 16;  // entries below are plain literals
  auto isLiteral = [](uint32_t entry) { return (entry & kPair) || entry < kLiteralLimit; };
  while (w < limit && in <= inLast) {
    if (isLiteral(e)) {
      // Up to three entries per refill (15 bits each at most).
      int k = 0;
      do {
        bits >>= e & 31;
        count -= e & 31;
        if (e & kPair) {
          win[w] = static_cast<uint8_t>(e >> 12);
          win[w + 1] = static_cast<uint8_t>(e >> 20);
          w += 2;
        } else {
          win[w++] = static_cast<uint8_t>(e >> 16);
        }
        e = pairs[bits & litMask];
      } while (++k < 3 && isLiteral(e));
      refill();
      continue;
    }
    if (e >= TDecodeTable::kSpecial) {
      e = lit.Resolve(e, bits);
      if (e & TDecodeTable::kInvalid) {
        save();
        RaiseInvalidHuffmanCode();
      }
    }
    take(e & 31);
    if (e < kLiteralLimit) {  // a literal with a long code
      win[w++] = static_cast<uint8_t>(e >> 16);
      e = pairs[bits & litMask];
      refill();
      continue;
    }
    uint32_t sym = e >> 16;
    if (sym == 256) {
      ReadState = rsHeader;
      break;
    }
    if (sym > 285) {
      save();
      RaiseBadData();
    }
    uint32_t length = kLengthBase[sym - 257] + take(kLengthExtra[sym - 257]);
    e = dist.Lookup(bits);
    if (e & TDecodeTable::kInvalid) {
      save();
      RaiseInvalidHuffmanCode();
    }
    take(e & 31);
    uint32_t d = e >> 16;
    uint32_t distance = kDistanceBase[d] + take(kDistanceExtra[d]);
    e = pairs[bits & litMask];
    refill();

    uint32_t from = (w - distance) & 0xFFFF;
    uint32_t gap = from < w ? w - from : from - w;
    if (gap >= 8 && from + length <= kWindowSize) {
      if (length < 8) {
        // Eight bytes are written: the bytes past the match get their own
        // values back, so nothing outside the match changes.
        uint64_t mask = (uint64_t{1} << (8 * length)) - 1;
        uint64_t v = (Load64(win + from) & mask) | (Load64(win + w) & ~mask);
        std::memcpy(win + w, &v, 8);
      } else {
        // Eight bytes at a time; the last piece is the final eight bytes,
        // which rewrites some bytes with the values they already have.
        uint32_t i = 0;
        for (; i + 8 <= length; i += 8) Copy8(win + w + i, win + from + i);
        if (i < length) Copy8(win + w + length - 8, win + from + length - 8);
      }
    } else if (distance == 1) {
      std::memset(win + w, win[(w - 1) & 0xFFFF], length);
    } else {
      for (uint32_t i = 0; i < length; ++i) win[w + i] = win[(from + i) & 0xFFFF];
    }
    w += length;
  }
  save();
  return true;
}

}  // namespace lumarte::imaging

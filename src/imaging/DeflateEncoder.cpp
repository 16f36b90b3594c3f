// TDeflateStream: compression (stored, fixed and dynamic Huffman blocks).
#include <algorithm>
#include <bit>
#include <cstring>

#include "imaging/Deflate.h"
#include "imaging/DeflateTables.h"

namespace lumarte::imaging {

using namespace deflate_tables;

namespace {

constexpr uint32_t kMaxMatch = 258;
constexpr uint32_t kMaxDistance = 32768;
constexpr uint32_t kHuffmanPendingLimit = 32767;
constexpr uint32_t kStoredPendingLimit = 65535;
constexpr uint32_t kSymbolLimit = 65527;
constexpr uint16_t kEndOfBlock = 256;

uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

// Length of the common run of a and b, known to agree in their first two
// bytes, capped at cap.
uint32_t MatchLength(const uint8_t* a, const uint8_t* b, uint32_t cap) {
  uint32_t len = 2;
  while (len < cap) {
    uint64_t x = Load64(a + len) ^ Load64(b + len);
    if (x) return std::min(cap, len + (static_cast<uint32_t>(std::countr_zero(x)) >> 3));
    len += 8;
  }
  return cap;
}

}  // namespace

void TDeflateStream::SetCompressionMethod(TCompressionMethod method) {
  if (BlockOpen && method != Method) Flush();
  Method = method;
}

void TDeflateStream::StoreInWindow(const uint8_t* data, uint32_t count) {
  if (!count) return;
  uint8_t* win = Window.get();
  std::memcpy(win + InsertPos, data, count);
  if (InsertPos < kMirror) {
    uint32_t end = std::min(InsertPos + count, kMirror);
    std::memcpy(win + kWindowSize + InsertPos, win + InsertPos, end - InsertPos);
  }
  InsertPos = (InsertPos + count) & 0xFFFF;
  Pending += count;
}

size_t TDeflateStream::Write(const void* buffer, size_t count) {
  if (!CanWrite) throw EInOutError("Stream not open for write");
  auto data = static_cast<const uint8_t*>(buffer);
  size_t left = count;
  while (left || FlushPending) {
    uint32_t limit = Method == cmStored ? kStoredPendingLimit : kHuffmanPendingLimit;
    uint32_t room = Pending < limit ? limit - Pending : 0;
    auto n = static_cast<uint32_t>(std::min<size_t>({left, room, kWindowSize - InsertPos}));
    StoreInWindow(data, n);
    data += n;
    left -= n;
    bool full = Method == cmStored ? Pending >= kStoredPendingLimit : Pending >= kMaxMatch;
    if (full || FlushPending) RunCompressor();
  }
  PushOutput();
  return count;
}

void TDeflateStream::Flush() {
  while (Writing && (Pending || BlockOpen || FinalBlock)) {
    FlushPending = true;
    Write(nullptr, 0);
  }
}

void TDeflateStream::Finish() {
  if (!Writing || Finished) return;
  Finished = true;
  FinalBlock = true;
  Flush();
  THuffmanBitStream::Flush();
}

void TDeflateStream::RunCompressor() {
  switch (Method) {
    case cmFixed:
      CompressFixed();
      break;
    case cmStored:
      CompressStored();
      break;
    case cmDynamic:
      CompressDynamic();
      break;
  }
}

void TDeflateStream::AdvanceWindow(uint32_t count) {
  const uint8_t* win = Window.get();
  uint32_t* slots = DictSlots.get();
  uint8_t* counts = DictCounts.get();
  uint32_t w = WindowPos;
  uint32_t abs = AbsolutePos;
  uint32_t i = 0;
  if (!SeenFirstByte && count) {
    // The very first byte has no predecessor: it is only counted.
    SeenFirstByte = true;
    w = (w + 1) & 0xFFFF;
    ++abs;
    i = 1;
  }
  for (; i < count; ++i) {
    uint32_t key = win[(w - 1) & 0xFFFF] | win[w] << 8;
    slots[key * 16 + (counts[key]++ & 15)] = abs;
    w = (w + 1) & 0xFFFF;
    ++abs;
  }
  // Past 2^31 bytes an old or never-written slot can alias a recent position.
  if (abs < AbsolutePos || abs >= 0x80000000u) VerifyKeys = true;
  WindowPos = w;
  AbsolutePos = abs;
  Pending -= count;
}

uint32_t TDeflateStream::FindMatch(uint32_t& distance) const {
  const uint8_t* win = Window.get();
  const uint32_t w = WindowPos;
  const uint32_t key = win[w] | win[w + 1] << 8;  // the mirror covers w + 1 = 65536
  const uint32_t* slots = DictSlots.get() + key * 16;
  const uint32_t cap = std::min(Pending, kMaxMatch);
  // Bytes further back than this have been overwritten by pending data (only
  // possible after a switch from stored blocks, which keep more pending).
  const uint32_t reach = std::min(kMaxDistance, kWindowSize - Pending);
  uint32_t best = 2;
  for (int i = 0; i < 16; ++i) {
    uint32_t d = AbsolutePos - slots[i] + 1;
    if (d - 1 >= reach) continue;
    uint32_t from = (w - d) & 0xFFFF;
    if (win[from + best] != win[w + best]) continue;
    if (VerifyKeys && (win[from] != win[w] || win[from + 1] != win[w + 1])) continue;
    uint32_t len = MatchLength(win + from, win + w, cap);
    if (len > best) {
      best = len;
      distance = d;
      if (len == cap) break;  // later slots could only tie, and ties keep the earlier one
    }
  }
  return best >= 3 ? best : 0;
}

// ---- fixed Huffman codes ----

void TDeflateStream::WriteFixedMatch(uint32_t length, uint32_t distance) {
  TLengthCode lc = LengthCode(length);
  WriteCode(LiteralCodes, lc.Symbol);
  WriteBits(lc.Extra, lc.ExtraBits);
  TLengthCode dc = DistanceCode(distance);
  WriteCode(DistanceCodes, dc.Symbol);
  WriteBits(dc.Extra, dc.ExtraBits);
}

void TDeflateStream::CompressFixed() {
  if (!BlockOpen) {
    WriteBits(FinalBlock ? 1 : 0, 1);
    FinalBlock = false;
    WriteBits(1, 2);
    FixedLiteralLengths(LiteralCodes);
    SetCodeCount(DistanceCodes, 32);
    FixedLengthCodes(DistanceCodes, 5);
    BlockOpen = true;
  }
  while (Pending >= kMaxMatch || (FlushPending && Pending >= 3)) {
    uint32_t distance = 0;
    uint32_t length = FindMatch(distance);
    if (length) {
      WriteFixedMatch(length, distance);
      AdvanceWindow(length);
    } else {
      WriteCode(LiteralCodes, Window[WindowPos]);
      AdvanceWindow(1);
    }
  }
  if (FlushPending) {
    while (Pending) {
      WriteCode(LiteralCodes, Window[WindowPos]);
      AdvanceWindow(1);
    }
    WriteCode(LiteralCodes, kEndOfBlock);
    BlockOpen = false;
    FlushPending = false;
  }
}

// ---- stored blocks ----

void TDeflateStream::CompressStored() {
  if (Pending < kStoredPendingLimit && !FlushPending) return;
  WriteBits(FinalBlock ? 1 : 0, 1);
  FinalBlock = false;
  WriteBits(0, 2);
  AlignOutput();
  uint32_t len = Pending;
  WriteBits(len, 16);
  WriteBits(~len & 0xFFFF, 16);
  uint32_t first = std::min(len, kWindowSize - WindowPos);
  WriteAlignedBytes(Window.get() + WindowPos, first);
  WriteAlignedBytes(Window.get(), len - first);
  AdvanceWindow(len);
  FlushPending = false;
}

// ---- dynamic Huffman codes ----

void TDeflateStream::BufferMatch(uint32_t length, uint32_t distance) {
  TLengthCode lc = LengthCode(length);
  AddSymbol(lc.Symbol, kLiteralKind);
  if (lc.ExtraBits) AddSymbol(lc.Extra, lc.ExtraBits);
  TLengthCode dc = DistanceCode(distance);
  AddSymbol(dc.Symbol, kDistanceKind);
  if (dc.ExtraBits) AddSymbol(dc.Extra, dc.ExtraBits);
}

void TDeflateStream::CompressDynamic() {
  while (Pending >= kMaxMatch || (FlushPending && Pending >= 3)) {
    uint32_t distance = 0;
    uint32_t length = FindMatch(distance);
    if (length) {
      BufferMatch(length, distance);
      AdvanceWindow(length);
    } else {
      AddSymbol(Window[WindowPos], kLiteralKind);
      AdvanceWindow(1);
    }
    BlockOpen = true;
    // Blocks cut here are never final: the flush below writes the last one.
    if (SymbolCount >= kSymbolLimit) WriteDynamicBlock(false);
  }
  if (FlushPending) {
    while (Pending) {
      AddSymbol(Window[WindowPos], kLiteralKind);
      AdvanceWindow(1);
    }
    WriteDynamicBlock(FinalBlock);
    FinalBlock = false;
    FlushPending = false;
  }
}

namespace {

struct TLengthSymbol {
  uint8_t Symbol, Extra, ExtraBits;
};

// Run-length codes of a sequence of code lengths (symbols 16, 17, 18).
std::vector<TLengthSymbol> RunLengthCode(const uint8_t* lengths, int count) {
  std::vector<TLengthSymbol> out;
  for (int i = 0; i < count;) {
    uint8_t v = lengths[i];
    int run = 1;
    while (i + run < count && lengths[i + run] == v) ++run;
    i += run;
    if (v) {
      out.push_back({v, 0, 0});
      --run;
      for (; run >= 3; run -= std::min(run, 6))
        out.push_back({16, static_cast<uint8_t>(std::min(run, 6) - 3), 2});
    } else {
      for (; run >= 11; run -= std::min(run, 138))
        out.push_back({18, static_cast<uint8_t>(std::min(run, 138) - 11), 7});
      for (; run >= 3; run -= std::min(run, 10))
        out.push_back({17, static_cast<uint8_t>(std::min(run, 10) - 3), 3});
    }
    for (; run > 0; --run) out.push_back({v, 0, 0});
  }
  return out;
}

}  // namespace

void TDeflateStream::WriteDynamicBlock(bool final) {
  AddSymbol(kEndOfBlock, kLiteralKind);
  uint32_t litFreq[288] = {}, distFreq[32] = {};
  for (uint32_t i = 0; i < SymbolCount; ++i) {
    if (Symbols[i].Kind == kLiteralKind) ++litFreq[Symbols[i].Value];
    if (Symbols[i].Kind == kDistanceKind) ++distFreq[Symbols[i].Value];
  }
  SetCodeCount(LiteralCodes, 288);
  LimitedLengthsFromFrequencies(LiteralCodes, litFreq, 15);
  SetCodeCount(DistanceCodes, 32);
  LimitedLengthsFromFrequencies(DistanceCodes, distFreq, 15);
  int hlit = 257, hdist = 1;
  for (int s = 0; s < 288; ++s)
    if (litFreq[s]) hlit = std::max(hlit, s + 1);
  for (int s = 0; s < 32; ++s)
    if (distFreq[s]) hdist = std::max(hdist, s + 1);

  uint8_t lengths[288 + 32];
  for (int s = 0; s < hlit; ++s) lengths[s] = static_cast<uint8_t>(LiteralCodes.Length[s]);
  for (int s = 0; s < hdist; ++s) lengths[hlit + s] = static_cast<uint8_t>(DistanceCodes.Length[s]);
  std::vector<TLengthSymbol> coded = RunLengthCode(lengths, hlit + hdist);
  uint32_t clFreq[19] = {};
  for (const auto& c : coded) ++clFreq[c.Symbol];
  TCodeTable lengthCodes;
  SetCodeCount(lengthCodes, 19);
  LimitedLengthsFromFrequencies(lengthCodes, clFreq, 7);
  int hclen = 4;
  for (int i = 0; i < 19; ++i)
    if (lengthCodes.Length[kCodeLengthOrder[i]]) hclen = std::max(hclen, i + 1);

  WriteBits(final ? 1 : 0, 1);
  WriteBits(2, 2);
  WriteBits(static_cast<uint32_t>(hlit - 257), 5);
  WriteBits(static_cast<uint32_t>(hdist - 1), 5);
  WriteBits(static_cast<uint32_t>(hclen - 4), 4);
  for (int i = 0; i < hclen; ++i) WriteBits(lengthCodes.Length[kCodeLengthOrder[i]], 3);
  for (const auto& c : coded) {
    WriteCode(lengthCodes, c.Symbol);
    WriteBits(c.Extra, c.ExtraBits);
  }
  for (uint32_t i = 0; i < SymbolCount; ++i) {
    const TSymbol& s = Symbols[i];
    if (s.Kind == kLiteralKind)
      WriteCode(LiteralCodes, s.Value);
    else if (s.Kind == kDistanceKind)
      WriteCode(DistanceCodes, s.Value);
    else
      WriteBits(s.Value, s.Kind);
  }
  SymbolCount = 0;
  BlockOpen = false;
}

}  // namespace lumarte::imaging

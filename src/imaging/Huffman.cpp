#include "imaging/Huffman.h"

#include <algorithm>
#include <cstring>

namespace lumarte::imaging {

namespace {

constexpr int kMaxCodeBits = 15;

constexpr std::array<uint8_t, 256> MakeByteReversal() {
  std::array<uint8_t, 256> t{};
  for (int i = 0; i < 256; ++i)
    for (int b = 0; b < 8; ++b) t[i] |= static_cast<uint8_t>(((i >> b) & 1) << (7 - b));
  return t;
}
constexpr std::array<uint8_t, 256> kByteReversal = MakeByteReversal();

// The low `length` (at most 16) bits of code in reverse order.
uint32_t Reverse(uint32_t code, int length) {
  uint32_t r =
      static_cast<uint32_t>(kByteReversal[code & 0xFF]) << 8 | kByteReversal[(code >> 8) & 0xFF];
  return r >> (16 - length);
}

// Depths of the leaves of a tree joined from the non-zero frequencies: the two
// parentless nodes of least weight are joined (scanning in node order, the
// first of equal weights wins) until one is left. Returns the largest depth.
int TreeDepths(int maxCode, const uint32_t* freq, uint8_t* depths) {
  THuffmanTree tree;
  tree.MaxCode = maxCode;
  tree.Nodes.assign(static_cast<size_t>(maxCode) + 1, {});
  std::vector<int> open;  // parentless nodes in node order
  for (int s = 0; s <= maxCode; ++s) {
    depths[s] = 0;
    if (freq[s]) {
      tree.Nodes[s].Weight = freq[s];
      open.push_back(s);
    }
  }
  auto takeLightest = [&] {
    size_t best = 0;
    for (size_t i = 1; i < open.size(); ++i)
      if (tree.Nodes[open[i]].Weight < tree.Nodes[open[best]].Weight) best = i;
    int node = open[best];
    open.erase(open.begin() + static_cast<long>(best));
    return node;
  };
  while (open.size() > 1) {
    int a = takeLightest();
    int b = takeLightest();
    THuffmanTree::TNode joined;
    joined.Zero = static_cast<uint16_t>(a);
    joined.One = static_cast<uint16_t>(b);
    joined.Weight = tree.Nodes[a].Weight + tree.Nodes[b].Weight;
    int n = static_cast<int>(tree.Nodes.size());
    tree.Nodes.push_back(joined);
    tree.Nodes[a].Parent = tree.Nodes[b].Parent = static_cast<uint16_t>(n);
    open.push_back(n);  // new nodes come last in node order
  }
  int deepest = 0;
  for (int s = 0; s <= maxCode; ++s) {
    if (!freq[s]) continue;
    int d = 0;
    for (int n = s; tree.Nodes[n].Parent != THuffmanTree::kNone; n = tree.Nodes[n].Parent) ++d;
    // A lone symbol still needs one bit to be sent at all.
    depths[s] = static_cast<uint8_t>(std::max(d, 1));
    deepest = std::max(deepest, static_cast<int>(depths[s]));
  }
  return deepest;
}

}  // namespace

void SetCodeCount(TCodeTable& table, int n) {
  LUMARTE_ASSERT(n >= 0 && n <= kMaxHuffmanSymbols);
  table.MaxCode = n - 1;
}

void CodesFromLengths(TCodeTable& table, const uint8_t* lengths, int maxBits) {
  LUMARTE_ASSERT(maxBits >= 1 && maxBits <= kMaxCodeBits);
  uint32_t count[kMaxCodeBits + 1] = {};
  for (int s = 0; s <= table.MaxCode; ++s) {
    LUMARTE_ASSERT(lengths[s] <= maxBits);
    ++count[lengths[s]];
  }
  count[0] = 0;
  uint32_t next[kMaxCodeBits + 1] = {};
  uint32_t code = 0;
  for (int bits = 1; bits <= maxBits; ++bits) {
    code = (code + count[bits - 1]) << 1;
    next[bits] = code;
  }
  for (int s = 0; s <= table.MaxCode; ++s) {
    int len = lengths[s];
    table.Length[s] = static_cast<uint32_t>(len);
    table.Code[s] = len ? Reverse(next[len]++, len) : 0;
  }
}

void FixedLengthCodes(TCodeTable& table, int bits) {
  for (int s = 0; s <= table.MaxCode; ++s) {
    table.Length[s] = static_cast<uint32_t>(bits);
    table.Code[s] = Reverse(static_cast<uint32_t>(s), bits);
  }
}

void LengthsFromFrequencies(TCodeTable& table, const uint32_t* frequencies, int maxBits) {
  const int n = table.MaxCode + 1;
  std::vector<uint32_t> freq(frequencies, frequencies + n);
  uint8_t depths[kMaxHuffmanSymbols];
  for (int round = 0; round <= n; ++round) {
    if (TreeDepths(table.MaxCode, freq.data(), depths) <= maxBits) {
      CodesFromLengths(table, depths, maxBits);
      return;
    }
    // Flatten the bottom of the tree: the first smallest frequency takes the
    // value of the next larger one.
    int smallest = -1;
    for (int s = 0; s < n; ++s)
      if (freq[s] && (smallest < 0 || freq[s] < freq[smallest])) smallest = s;
    uint32_t larger = 0;
    for (int s = 0; s < n; ++s)
      if (freq[s] > freq[smallest] && (!larger || freq[s] < larger)) larger = freq[s];
    if (!larger) break;
    freq[smallest] = larger;
  }
  throw EFormatError("Too many codes for MaxBits");
}

void LimitedLengthsFromFrequencies(TCodeTable& table, const uint32_t* frequencies, int maxBits) {
  std::vector<uint32_t> freq(frequencies, frequencies + table.MaxCode + 1);
  for (;;) {
    try {
      LengthsFromFrequencies(table, freq.data(), maxBits);
      return;
    } catch (const EFormatError&) {
      bool changed = false;
      for (auto& f : freq) {
        uint32_t h = f ? (f + 1) / 2 : 0;
        changed |= h != f;
        f = h;
      }
      if (!changed) throw;  // all equal and still too deep: too many symbols
    }
  }
}

void BuildDecodeTree(THuffmanTree& tree, const TCodeTable& table) {
  tree.MaxCode = table.MaxCode;
  tree.Nodes.assign(static_cast<size_t>(table.MaxCode) + 2, {});
  tree.Root = tree.LastNode = table.MaxCode + 1;
  for (int s = 0; s <= table.MaxCode; ++s) {
    int len = static_cast<int>(table.Length[s]);
    if (!len) continue;
    int node = tree.Root;
    for (int i = 0; i < len; ++i) {
      bool one = (table.Code[s] >> i) & 1;
      auto child = [&]() -> uint16_t& {
        return one ? tree.Nodes[node].One : tree.Nodes[node].Zero;
      };
      if (i == len - 1) {
        child() = static_cast<uint16_t>(s);
        tree.Nodes[s].Parent = static_cast<uint16_t>(node);
      } else {
        if (child() == THuffmanTree::kNone) {
          tree.Nodes.push_back({});
          tree.LastNode = static_cast<int>(tree.Nodes.size()) - 1;
          tree.Nodes.back().Parent = static_cast<uint16_t>(node);
          child() = static_cast<uint16_t>(tree.LastNode);
        }
        node = child();
      }
    }
  }
}

// ---- TDecodeTable ----

namespace {

// Length of the longest walk from `node` down to a leaf or an absent child.
int WalkDepth(const THuffmanTree& tree, int node) {
  int deepest = 0;
  for (uint16_t child : {tree.Nodes[node].Zero, tree.Nodes[node].One}) {
    int d = child == THuffmanTree::kNone || tree.IsLeaf(child) ? 1 : 1 + WalkDepth(tree, child);
    deepest = std::max(deepest, d);
  }
  return deepest;
}

}  // namespace

void TDecodeTable::Build(const THuffmanTree& tree, int rootBits) {
  RootBits = rootBits;
  RootMask = (1u << rootBits) - 1;
  Entries.assign(size_t{1} << rootBits, 0);
  Fill(tree, tree.Root, 0, rootBits, 0, 0, 0);
}

void TDecodeTable::Build(const TCodeTable& codes, int rootBits, THuffmanTree& tree) {
  // Kraft sum in units of 2^-15: exactly 2^15 for a complete code.
  uint32_t kraft = 0;
  for (int s = 0; s <= codes.MaxCode; ++s)
    if (codes.Length[s]) kraft += 1u << (kMaxCodeBits - codes.Length[s]);
  if (kraft != 1u << kMaxCodeBits) {
    BuildDecodeTree(tree, codes);
    Build(tree, rootBits);
    return;
  }
  RootBits = rootBits;
  RootMask = (1u << rootBits) - 1;
  Entries.assign(size_t{1} << rootBits, 0);
  // Codes longer than the root level share second-level tables by their
  // first rootBits bits; each table is as deep as its longest code.
  std::vector<uint8_t> deepest(size_t{1} << rootBits, 0);
  for (int s = 0; s <= codes.MaxCode; ++s) {
    int len = static_cast<int>(codes.Length[s]);
    if (len > rootBits) {
      uint8_t& d = deepest[codes.Code[s] & RootMask];
      d = static_cast<uint8_t>(std::max<int>(d, len - rootBits));
    }
  }
  for (uint32_t prefix = 0; prefix <= RootMask; ++prefix) {
    if (!deepest[prefix]) continue;
    size_t sub = Entries.size();
    Entries.resize(sub + (size_t{1} << deepest[prefix]));
    Entries[prefix] = kLink | static_cast<uint32_t>(sub) << 12 |
                      static_cast<uint32_t>(deepest[prefix]) << 8 | static_cast<uint32_t>(rootBits);
  }
  for (int s = 0; s <= codes.MaxCode; ++s) {
    const uint32_t len = codes.Length[s], code = codes.Code[s];
    if (!len) continue;
    const uint32_t entry = static_cast<uint32_t>(s) << 16 | len;
    if (len <= static_cast<uint32_t>(rootBits)) {
      for (size_t i = code; i <= RootMask; i += size_t{1} << len) Entries[i] = entry;
      continue;
    }
    const uint32_t link = Entries[code & RootMask];
    const size_t sub = (link >> 12) & 0xFFFF, size = size_t{1} << ((link >> 8) & 15);
    for (size_t i = code >> rootBits; i < size; i += size_t{1} << (len - rootBits))
      Entries[sub + i] = entry;
  }
}

// Fills the entries of a table of 2^tableBits entries at `offset` for the
// subtree under `node`, reached after `depth` bits of this table (`path`)
// and `prior` bits of the tables above.
void TDecodeTable::Fill(const THuffmanTree& tree, int node, size_t offset, int tableBits, int depth,
                        uint32_t path, int prior) {
  for (uint32_t bit = 0; bit < 2; ++bit) {
    int child = bit ? tree.Nodes[node].One : tree.Nodes[node].Zero;
    int d = depth + 1;
    uint32_t p = path | bit << depth;
    uint32_t entry;
    if (child == THuffmanTree::kNone) {
      entry = kInvalid | static_cast<uint32_t>(prior + d);
    } else if (tree.IsLeaf(child)) {
      entry = static_cast<uint32_t>(child) << 16 | static_cast<uint32_t>(prior + d);
    } else if (d < tableBits) {
      Fill(tree, child, offset, tableBits, d, p, prior);
      continue;
    } else {
      int subBits = WalkDepth(tree, child);
      size_t sub = Entries.size();
      Entries.resize(sub + (size_t{1} << subBits));
      Fill(tree, child, sub, subBits, 0, 0, prior + d);
      Entries[offset + p] = kLink | static_cast<uint32_t>(sub) << 12 |
                            static_cast<uint32_t>(subBits) << 8 | static_cast<uint32_t>(prior + d);
      continue;
    }
    for (size_t i = p; i < (size_t{1} << tableBits); i += size_t{1} << d)
      Entries[offset + i] = entry;
  }
}

void RaiseInvalidHuffmanCode() {
  RaiseAssertion(__FILE__, __LINE__, "Invalid Huffman code");
}

// ---- THuffmanBitStream ----

THuffmanBitStream::THuffmanBitStream(TBaseStream* source)
    : TBitStream(source),
      InBuf(std::make_unique<uint8_t[]>(kInSize)),
      OutBuf(std::make_unique<uint8_t[]>(kOutSize)) {}

THuffmanBitStream::~THuffmanBitStream() {
  try {
    PushOutput();
  } catch (...) {
    // Nothing can be reported from a destructor; writers finish explicitly.
  }
}

void THuffmanBitStream::RaiseBadBitCount() {
  RaiseAssertion(__FILE__, __LINE__, "count >= 0 && count <= 32");
}

void THuffmanBitStream::WriteAlignedBytes(const uint8_t* data, size_t count) {
  SpillOutput();  // OutCount is 0 at byte alignment
  while (count) {
    if (OutFill == kOutSize) WriteOutBuffer();
    size_t n = std::min(count, kOutSize - OutFill);
    std::memcpy(OutBuf.get() + OutFill, data, n);
    OutFill += n;
    data += n;
    count -= n;
  }
}

void THuffmanBitStream::WriteOutBuffer() {
  if (!OutFill) return;
  size_t n = OutFill;
  OutFill = 0;
  Source->WriteExact(OutBuf.get(), n);
}

bool THuffmanBitStream::RefillInput() {
  int64_t avail = Source->Available();
  if (avail <= 0) return false;
  size_t want = static_cast<size_t>(std::min<int64_t>(avail, static_cast<int64_t>(kInSize)));
  InPos = 0;
  InFill = Source->Read(InBuf.get(), want);
  return InFill > 0;
}

void THuffmanBitStream::FillBits() {
  while (InCount <= 48) {
    if (InPos == InFill && !RefillInput()) return;
    InBits |= static_cast<uint64_t>(InBuf[InPos++]) << InCount;
    InCount += 8;
  }
}

void THuffmanBitStream::NeedBits(int count) {
  if (InCount >= count) return;
  FillBits();
  while (InCount < count) {
    uint8_t b;
    Source->ReadExact(&b, 1);  // raises the source's error when nothing is left
    InBits |= static_cast<uint64_t>(b) << InCount;
    InCount += 8;
  }
}

uint32_t THuffmanBitStream::ReadValue(int count) {
  LUMARTE_ASSERT(count >= 0 && count <= 32);
  if (!count) return 0;
  NeedBits(count);
  uint32_t v = static_cast<uint32_t>(InBits & ((uint64_t{1} << count) - 1));
  DropBits(count);
  return v;
}

int THuffmanBitStream::ReadBits(void* buffer, int count) {
  auto out = static_cast<uint8_t*>(buffer);
  for (int i = 0; i < count; ++i) {
    if (!InCount) {
      FillBits();
      if (!InCount) {
        uint8_t b;
        if (Source->Read(&b, 1) != 1) return i;
        InBits = b;
        InCount = 8;
      }
    }
    if (i % 8 == 0) out[i / 8] = 0;
    out[i / 8] |= static_cast<uint8_t>((InBits & 1) << (i % 8));
    DropBits(1);
  }
  return count;
}

int THuffmanBitStream::DecodeSymbol(const THuffmanTree& tree) {
  int node = tree.Root;
  do {
    uint16_t next = ReadBit() ? tree.Nodes[node].One : tree.Nodes[node].Zero;
    if (next == THuffmanTree::kNone) RaiseInvalidHuffmanCode();
    node = next;
  } while (!tree.IsLeaf(node));
  return node;
}

int THuffmanBitStream::DecodeSymbol(const TDecodeTable& table) {
  for (;;) {
    if (InCount < kMaxCodeBits) FillBits();
    uint32_t e = table.Lookup(InBits);
    int n = TDecodeTable::BitCount(e);
    if (n <= InCount) {
      if (e & TDecodeTable::kInvalid) RaiseInvalidHuffmanCode();
      DropBits(n);
      return TDecodeTable::Symbol(e);
    }
    // The walk has not ended within the bits at hand: the next bit is needed.
    NeedBits(InCount + 1);
  }
}

void THuffmanBitStream::ReadAlignedBytes(uint8_t* out, size_t count) {
  DropBits(InCount & 7);
  while (count && InCount) {
    *out++ = static_cast<uint8_t>(InBits);
    DropBits(8);
    --count;
  }
  size_t n = std::min(count, InFill - InPos);
  if (n) std::memcpy(out, InBuf.get() + InPos, n);
  InPos += n;
  if (count > n) Source->ReadExact(out + n, count - n);
}

void THuffmanBitStream::Flush() {
  AlignOutput();
  PushOutput();
  DropBits(InCount & 7);
}

int64_t THuffmanBitStream::Available() {
  return Source->Available() + static_cast<int64_t>(InFill - InPos) + InCount / 8;
}

}  // namespace lumarte::imaging

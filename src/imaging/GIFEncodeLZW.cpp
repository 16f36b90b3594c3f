// GIF LZW encoding with an open-addressing string table of 5119 slots.
#include <cstring>

#include "imaging/GIFLoader.h"

namespace lumarte::imaging {

namespace {

constexpr int kHashSize = 5119;
constexpr int kMaxCodes = 4096;

// Packs codes least-significant bit first into sub-blocks of 255 bytes.
class TBlockWriter {
 public:
  explicit TBlockWriter(std::string& out) : Out(out) {}

  void Put(int code, int width) {
    Acc |= static_cast<uint32_t>(code) << Bits;
    Bits += width;
    while (Bits >= 8) {
      PutByte(static_cast<uint8_t>(Acc));
      Acc >>= 8;
      Bits -= 8;
    }
  }

  // Writes the partial byte, the last block and the zero-length block.
  void Finish() {
    if (Bits > 0) PutByte(static_cast<uint8_t>(Acc));
    Acc = 0;
    Bits = 0;
    FlushBlock();
    Out.push_back(0);
  }

 private:
  void PutByte(uint8_t b) {
    Block[Filled++] = b;
    if (Filled == 255) FlushBlock();
  }
  void FlushBlock() {
    if (Filled == 0) return;
    Out.push_back(static_cast<char>(Filled));
    Out.append(reinterpret_cast<const char*>(Block), Filled);
    Filled = 0;
  }

  std::string& Out;
  uint8_t Block[255];
  size_t Filled = 0;
  uint32_t Acc = 0;
  int Bits = 0;
};

// String table: key (pixel << 12) + prefix code -> code.
class TStringTable {
 public:
  TStringTable() { Clear(); }
  void Clear() { std::memset(Keys, 0xFF, sizeof Keys); }

  // The slot holding key, or the empty slot where it belongs.
  int Probe(int pixel, int prefix, int32_t key) const {
    int slot = (pixel << 4) ^ prefix;
    if (Keys[slot] == key || Keys[slot] < 0) return slot;
    int step = slot == 0 ? 1 : kHashSize - slot;
    for (;;) {
      slot -= step;
      if (slot < 0) slot += kHashSize;
      if (Keys[slot] == key || Keys[slot] < 0) return slot;
    }
  }

  int32_t Keys[kHashSize];
  uint16_t Codes[kHashSize];
};

}  // namespace

void EncodeLZW(const uint8_t* indices, size_t count, int minCodeSize, std::string& out) {
  out.push_back(static_cast<char>(minCodeSize));
  const int clear = 1 << minCodeSize, end = clear + 1;
  TBlockWriter writer(out);
  auto table = std::make_unique<TStringTable>();
  int width = minCodeSize + 1, next = clear + 2;
  // The width grows once the next free code no longer fits; the decoder
  // follows one code later, when it adds the same entry.
  auto emit = [&](int code) {
    writer.Put(code, width);
    if (next > (1 << width) - 1 && width < 12) ++width;
  };
  writer.Put(clear, width);
  if (count > 0) {
    int prefix = indices[0];
    for (size_t i = 1; i < count; ++i) {
      int pixel = indices[i];
      int32_t key = (pixel << 12) + prefix;
      int slot = table->Probe(pixel, prefix, key);
      if (table->Keys[slot] == key) {
        prefix = table->Codes[slot];
        continue;
      }
      emit(prefix);
      prefix = pixel;
      if (next < kMaxCodes) {
        table->Keys[slot] = key;
        table->Codes[slot] = static_cast<uint16_t>(next++);
      } else {
        writer.Put(clear, width);
        table->Clear();
        next = clear + 2;
        width = minCodeSize + 1;
      }
    }
    emit(prefix);
  }
  writer.Put(end, width);
  writer.Finish();
}

}  // namespace lumarte::imaging

#pragma once
// Hand-made WMF and EMF files for tests: records are appended as lists of
// 16-bit (WMF) or 32-bit (EMF) values, sizes and counts are filled in.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace lumarte::testing {

inline void PutLE(std::string& s, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline uint32_t GetLE(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(s.at(at + i));
  return v;
}

class TEmfBuilder {
 public:
  // Frame in hundredths of millimetres, bounds in device pixels; the
  // reference device is 96 pixels per inch unless told otherwise.
  TEmfBuilder(std::array<int32_t, 4> frame, std::array<int32_t, 4> bounds, uint32_t handles = 8,
              int32_t devX = 1920, int32_t devY = 1440, int32_t mmX = 508, int32_t mmY = 381) {
    PutLE(Data, 1, 4);
    PutLE(Data, 88, 4);
    for (int32_t v : bounds) PutLE(Data, v, 4);
    for (int32_t v : frame) PutLE(Data, v, 4);
    PutLE(Data, 0x464D4520, 4);
    PutLE(Data, 0x10000, 4);
    PutLE(Data, 0, 4);  // bytes, filled in by Finish
    PutLE(Data, 0, 4);  // records
    PutLE(Data, handles, 2);
    PutLE(Data, 0, 2);
    for (int i = 0; i < 3; ++i) PutLE(Data, 0, 4);  // description, palette
    for (int32_t v : {devX, devY, mmX, mmY}) PutLE(Data, v, 4);
    Records = 1;
  }
  // A record of 32-bit values after its type and size.
  TEmfBuilder& Add(uint32_t type, std::initializer_list<uint32_t> values) {
    std::string payload;
    for (uint32_t v : values) PutLE(payload, v, 4);
    return AddBytes(type, payload);
  }
  // A record with raw bytes after its type and size (padded to four).
  TEmfBuilder& AddBytes(uint32_t type, std::string payload) {
    while (payload.size() % 4) payload += '\0';
    PutLE(Data, type, 4);
    PutLE(Data, static_cast<uint32_t>(payload.size() + 8), 4);
    Data += payload;
    ++Records;
    return *this;
  }
  std::string Finish() {
    Add(14, {0, 16, 20});  // EMR_EOF
    std::string out = Data;
    std::string bytes, records;
    PutLE(bytes, static_cast<uint32_t>(out.size()), 4);
    PutLE(records, Records, 4);
    out.replace(48, 4, bytes);
    out.replace(52, 4, records);
    return out;
  }

  std::string Data;
  uint32_t Records = 0;
};

class TWmfBuilder {
 public:
  // With placeable, a placeable header with the box (left, top, right,
  // bottom) in units of 1/inch inch.
  explicit TWmfBuilder(bool placeable, std::array<int16_t, 4> box = {0, 0, 100, 100},
                       uint16_t inch = 96, uint16_t objects = 8) {
    if (placeable) {
      PutLE(Data, 0x9AC6CDD7, 4);
      PutLE(Data, 0, 2);
      for (int16_t v : box) PutLE(Data, static_cast<uint16_t>(v), 2);
      PutLE(Data, inch, 2);
      PutLE(Data, 0, 4);
      PutLE(Data, 0, 2);  // checksum: readers do not insist on it
    }
    Header = Data.size();
    for (uint32_t v : {1u, 9u, 0x300u}) PutLE(Data, v, 2);
    PutLE(Data, 0, 4);
    PutLE(Data, objects, 2);
    PutLE(Data, 0, 4);
    PutLE(Data, 0, 2);
  }
  // A record of 16-bit values after its size and function.
  TWmfBuilder& Add(uint16_t function, std::initializer_list<int32_t> words) {
    std::string payload;
    for (int32_t v : words) PutLE(payload, static_cast<uint32_t>(v), 2);
    return AddBytes(function, payload);
  }
  TWmfBuilder& AddBytes(uint16_t function, std::string payload) {
    if (payload.size() % 2) payload += '\0';
    PutLE(Data, static_cast<uint32_t>(payload.size() / 2 + 3), 4);
    PutLE(Data, function, 2);
    Data += payload;
    return *this;
  }
  std::string Finish() {
    Add(0, {});
    return Data;
  }

  std::string Data;
  size_t Header = 0;
};

// A BITMAPINFOHEADER followed by a colour table and rows.
inline std::string DibInfo(int32_t w, int32_t h, uint16_t bpp, uint32_t compression = 0,
                           uint32_t used = 0, uint32_t sizeImage = 0) {
  std::string s;
  PutLE(s, 40, 4);
  PutLE(s, static_cast<uint32_t>(w), 4);
  PutLE(s, static_cast<uint32_t>(h), 4);
  PutLE(s, 1, 2);
  PutLE(s, bpp, 2);
  PutLE(s, compression, 4);
  PutLE(s, sizeImage, 4);
  PutLE(s, 3780, 4);
  PutLE(s, 3780, 4);
  PutLE(s, used, 4);
  PutLE(s, 0, 4);
  return s;
}

inline const uint8_t* Bytes(const std::string& s) {
  return reinterpret_cast<const uint8_t*>(s.data());
}

}  // namespace lumarte::testing

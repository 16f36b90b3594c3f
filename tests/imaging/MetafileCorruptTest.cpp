// Damaged metafiles: each raises EFormatError with a message that says what
// is wrong and where, and nothing is read out of bounds.
#include <gtest/gtest.h>

#include "imaging/Errors.h"
#include "imaging/metafile/MetafileRecords.h"
#include "support/MetafileBuilder.h"

using namespace lumarte;
using namespace lumarte::imaging;
using lumarte::testing::Bytes;
using lumarte::testing::DibInfo;
using lumarte::testing::PutLE;
using lumarte::testing::TEmfBuilder;
using lumarte::testing::TWmfBuilder;

namespace {

TEmfBuilder Emf() {
  return TEmfBuilder({0, 0, 2539, 2539}, {0, 0, 95, 95}, 4);
}
TWmfBuilder Wmf() {
  return TWmfBuilder(true, {0, 0, 99, 99}, 96, 4);
}

// Sets the 32-bit field at offset to value.
std::string Patched(std::string data, size_t offset, uint32_t value) {
  std::string v;
  PutLE(v, value, 4);
  data.replace(offset, 4, v);
  return data;
}

// An EMR_STRETCHDIBITS of a 4 x 4, 24-bit DIB that carries only bits bytes of rows.
std::string StretchDibits(uint32_t bits) {
  std::string r;
  for (uint32_t v :
       {0u, 0u, 3u, 3u, 0u, 0u, 0u, 0u, 4u, 4u, 80u, 40u, 120u, bits, 0u, 0x00CC0020u, 4u, 4u})
    PutLE(r, v, 4);
  r += DibInfo(4, 4, 24);
  r += std::string(bits, '\x55');
  return r;
}

struct TCorruptCase {
  const char* Name;
  std::string Data;
  const char* Message;
};

class MetafileCorrupt : public ::testing::TestWithParam<TCorruptCase> {};

TEST_P(MetafileCorrupt, RaisesFormatErrorWithItsMessage) {
  const std::string& data = GetParam().Data;
  // A copy of exactly the file's size, so that reading past it is caught.
  std::vector<uint8_t> bytes(data.begin(), data.end());
  try {
    ReadMetafile(bytes.data(), bytes.size());
    ADD_FAILURE() << "no exception";
  } catch (const EFormatError& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().Message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, MetafileCorrupt,
    ::testing::Values(
        TCorruptCase{"Empty", std::string(), "Invalid metafile header: not a Windows metafile"},
        TCorruptCase{"NotAMetafile", std::string(100, 'x'),
                     "Invalid metafile header: not a Windows metafile"},
        TCorruptCase{"EmfHeaderLongerThanFile", Patched(Emf().Finish(), 4, 400),
                     "Invalid metafile header: header size out of range"},
        TCorruptCase{"EmfTruncated", Emf().Finish().substr(0, Emf().Finish().size() - 4),
                     "Metafile is truncated"},
        TCorruptCase{"EmfDescriptionOutsideHeader",
                     Patched(Patched(Emf().Finish(), 60, 10), 64, 80),
                     "Invalid metafile header: description outside the header"},
        TCorruptCase{"EmfRecordTooSmall", Patched(Emf().Add(27, {0, 0}).Finish(), 92, 4),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 88)"},
        TCorruptCase{"EmfRecordPastTheEnd", Patched(Emf().Add(27, {0, 0}).Finish(), 92, 4000),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 88)"},
        TCorruptCase{
            "EmfRecordTooShortForItsFields", Emf().Add(43, {1, 2}).Finish(),
            "Corrupt metafile: record too short for its contents (record 0x002B at offset 88)"},
        TCorruptCase{
            "EmfPointCountTooLarge", Emf().Add(87, {0, 0, 0, 0, 1000, 0, 0}).Finish(),
            "Corrupt metafile: point count exceeds the record (record 0x0057 at offset 88)"},
        TCorruptCase{
            "EmfPolygonSizesExceedPoints", Emf().Add(91, {0, 0, 0, 0, 2, 2, 2, 1, 0, 0}).Finish(),
            "Corrupt metafile: polygon sizes exceed the point count (record 0x005B at offset 88)"},
        TCorruptCase{"EmfTextOutsideRecord",
                     Emf().Add(84, {0, 0, 0, 0, 1, 0, 0, 5, 5, 50, 76, 0, 0, 0, 0, 0, 0}).Finish(),
                     "Corrupt metafile: text outside its record (record 0x0054 at offset 88)"},
        TCorruptCase{"EmfObjectIndexOutOfRange", Emf().Add(37, {9}).Finish(),
                     "Corrupt metafile: object index out of range (record 0x0025 at offset 88)"},
        TCorruptCase{"EmfCreateInReservedSlot", Emf().Add(39, {0, 0, 0, 0}).Finish(),
                     "Corrupt metafile: object index out of range (record 0x0027 at offset 88)"},
        TCorruptCase{"EmfBitmapRowsMissing", Emf().AddBytes(81, StretchDibits(20)).Finish(),
                     "Invalid bitmap in metafile: pixel data missing (record 0x0051 at offset 88)"},
        TCorruptCase{"EmfBitmapOutsideRecord",
                     Patched(Emf().AddBytes(81, StretchDibits(48)).Finish(), 88 + 60, 4800),
                     "Corrupt metafile: bitmap outside its record (record 0x0051 at offset 88)"},
        TCorruptCase{"EmfHugeFrame", TEmfBuilder({0, 0, 2000000000, 100}, {0, 0, 0, 0}).Finish(),
                     "Metafile too large"},
        TCorruptCase{"WmfZeroUnitsPerInch", TWmfBuilder(true, {0, 0, 99, 99}, 0).Finish(),
                     "Invalid metafile header: zero units per inch"},
        TCorruptCase{"WmfBadHeader", Patched(Wmf().Finish(), 22, 0x00050007),
                     "Invalid metafile header: not a Windows metafile"},
        TCorruptCase{"WmfRecordTooSmall", Patched(Wmf().Add(0x0213, {1, 1}).Finish(), 40, 2),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 40)"},
        TCorruptCase{"WmfRecordPastTheEnd",
                     Patched(Wmf().Add(0x0213, {1, 1}).Finish(), 40, 0x10000),
                     "Corrupt metafile: record size out of range (record 0x0000 at offset 40)"},
        TCorruptCase{
            "WmfPointCountTooLarge", Wmf().Add(0x0324, {500, 1, 1}).Finish(),
            "Corrupt metafile: point count exceeds the record (record 0x0324 at offset 40)"},
        TCorruptCase{
            "WmfTextLongerThanRecord", Wmf().Add(0x0521, {40, 0x4141, 1, 1}).Finish(),
            "Corrupt metafile: record too short for its contents (record 0x0521 at offset 40)"},
        TCorruptCase{"WmfObjectIndexOutOfRange", Wmf().Add(0x012D, {4}).Finish(),
                     "Corrupt metafile: object index out of range (record 0x012D at offset 40)"},
        TCorruptCase{"WmfObjectTableFull",
                     TWmfBuilder(true, {0, 0, 99, 99}, 96, 1)
                         .Add(0x02FA, {0, 1, 0, 0, 0})
                         .Add(0x02FA, {0, 1, 0, 0, 0})
                         .Finish(),
                     "Corrupt metafile: object table full (record 0x02FA at offset 56)"},
        TCorruptCase{"PlainWmfWithoutWindow", TWmfBuilder(false).Add(0x0213, {1, 1}).Finish(),
                     "Metafile has no size"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace

// Every file of the third-party corpus through the program's readers, as the
// corpus index expects: a valid file decodes to the size its probe gives (and
// to the pixels of a reference where there is one), an invalid one raises a
// clean error that leaves no pixels behind, a damaged or disputed one does
// either.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

#include "CodecTestUtil.h"
#include "PngTestUtil.h"
#include "imaging/GIFLoader.h"
#include "imaging/metafile/MetafileRecords.h"
#include "support/CorpusManifest.h"
#include "support/MetafileCorpus.h"

namespace lumarte::imaging {
namespace {

using lumarte::testing::ReadFileBytes;
using lumarte::testing::TCorpusEntry;

bool Has(const std::string& s, const char* part) {
  return s.find(part) != std::string::npos;
}

bool IsMetafile(const TCorpusEntry& e) {
  return e.Format == "wmf" || e.Format == "emf";
}

// The number written before a unit in the probe: "8bpp", "3comp".
int ProbeCount(const std::string& probe, const char* unit) {
  size_t at = probe.find(unit);
  return at == std::string::npos ? 0 : std::atoi(probe.c_str() + probe.rfind(' ', at) + 1);
}

struct TDecoded {
  std::string Error;  // empty when the file was read
  TRevedBitmap Bitmap;
  double Width = 0, Height = 0;
};

TDecoded Decode(const TCorpusEntry& e) {
  TDecoded d;
  try {
    if (IsMetafile(e)) {
      TMetaPicture pic = ReadMetafileFile(e.FullPath());
      d.Width = pic.Width, d.Height = pic.Height;
    } else {
      if (e.Format == "jp2") EXPECT_TRUE(lumarte::testing::PluginsScanned());
      d.Bitmap.LoadFromFile(e.FullPath());
      d.Width = d.Bitmap.Width, d.Height = d.Bitmap.Height;
    }
  } catch (const ELumarteBase& ex) {
    d.Error = ex.what();
    EXPECT_NE(d.Error, "");
    EXPECT_FALSE(d.Bitmap.Present) << "a failed load left pixels behind";
  }
  if (e.Format == "gif") {  // every frame that reads composes without fault
    try {
      std::string bytes = ReadFileBytes(e.FullPath());
      TMemoryStream in(bytes.data(), bytes.size());
      TGIFImage img;
      img.LoadFromStream(in);
      TRevedBitmap pic;
      for (size_t i = 0; i < img.Frames.size(); ++i) img.Compose(i, pic);
    } catch (const ELumarteBase&) {
    }
  }
  return d;
}

// Valid files the program refuses by design, with the message.
std::string RefusedByDesign(const TCorpusEntry& e) {
  int w = 0, h = 0;
  e.ProbeSize(w, h);
  if (e.Format == "pcx" && !(e.Probe.starts_with("v5 ") &&
                             (Has(e.Probe, "8bit x 1 plane") || Has(e.Probe, "8bit x 3 plane"))))
    return "Unsupported file format";
  if (e.Format == "gif" && std::max(w, h) > TGIFImage::kMaxFrameSide)
    return "Invalid GIF image size";
  return "";
}

// What a valid raster file decodes to: true for 24 bits, false for 8 (with a palette).
bool DecodesToColour(const TCorpusEntry& e, const test::TRgbImage& libpng) {
  if (e.Format == "bmp") return ProbeCount(e.Probe, "bpp") > 8;
  if (e.Format == "jpeg") return ProbeCount(e.Probe, "comp") != 1;
  if (e.Format == "jp2") return ProbeCount(e.Probe, "comp") >= 3 || Has(e.Probe, "pclr");
  if (e.Format == "pcx") return Has(e.Probe, "x 3 plane");
  if (e.Format == "png") return libpng.ColorType & 2 && libpng.ColorType != 3;
  return e.Format == "ico";  // a GIF's first picture keeps its palette
}

// libpng's samples as an ordinary display (exponent 2.2) shows them: the
// PNG standard's correction for a gAMA chunk, unless sRGB or iCCP is present.
void ApplyFileGamma(const std::string& file, std::vector<uint8_t>& rgb) {
  double g = 0;
  for (const auto& c : test::ChunksOf(file)) {
    if (c.Type == "sRGB" || c.Type == "iCCP") return;
    if (c.Type != "gAMA" || c.Data.size() != 4) continue;
    auto u = [&](int i) { return static_cast<uint8_t>(c.Data[i]); };
    g = (u(0) << 24 | u(1) << 16 | u(2) << 8 | u(3)) / 100000.0;
  }
  if (g <= 0) return;
  uint8_t table[256] = {};
  for (int i = 1; i < 256; ++i)
    table[i] = static_cast<uint8_t>(
        std::clamp(std::nearbyint(std::pow(i / 255.0, 1 / (g * 2.2)) * 255), 0.0, 255.0));
  for (auto& v : rgb) v = table[v];
}

// The expected frames of a GIF suite test: the .rgba file of each frame.
std::vector<std::string> ExpectedGifFrames(const std::string& gifPath) {
  std::ifstream in(gifPath.substr(0, gifPath.size() - 4) + ".conf");
  std::map<std::string, std::string> pixels;
  std::vector<std::string> order, files;
  std::string line, section;
  while (std::getline(in, line)) {
    std::smatch m;
    if (std::regex_match(line, m, std::regex(R"(\[(\w+)\])"))) section = m[1];
    if (std::regex_match(line, m, std::regex(R"(frames = (.*))"))) {
      std::stringstream s(m[1].str());
      for (std::string f; std::getline(s, f, ',');) order.push_back(f);
    }
    if (std::regex_match(line, m, std::regex(R"(pixels = (.*\.rgba))"))) pixels[section] = m[1];
  }
  std::string folder = gifPath.substr(0, gifPath.rfind('/') + 1);
  for (const auto& f : order) files.push_back(pixels.count(f) ? folder + pixels[f] : "");
  return files;
}

// Opaque pixels of the expected RGBA frames must match; transparent ones show
// whatever lies below. The suite merges images without delays into one frame,
// so only files where each image is a frame of its own are compared.
void ExpectGifFrames(const TCorpusEntry& e) {
  std::vector<std::string> frames = ExpectedGifFrames(e.FullPath());
  std::smatch m;
  std::regex_search(e.Probe, m, std::regex(R"(images=(\d+))"));
  if (m.empty() || frames.size() != std::stoul(m[1])) return;
  std::string bytes = ReadFileBytes(e.FullPath());
  TMemoryStream in(bytes.data(), bytes.size());
  TGIFImage img;
  img.LoadFromStream(in);
  for (size_t i = 0; i < frames.size(); ++i) {
    if (frames[i].empty()) continue;
    TRevedBitmap pic;
    img.Compose(i, pic);
    std::string rgba = ReadFileBytes(frames[i]);
    ASSERT_EQ(rgba.size(), size_t(pic.Width) * pic.Height * 4) << frames[i];
    std::vector<uint8_t> ours = test::ToRgb(pic);
    for (size_t p = 0; p < ours.size() / 3; ++p)
      if (uint8_t(rgba[4 * p + 3]) == 255)
        ASSERT_EQ(std::string(&rgba[4 * p], 3),
                  std::string(ours.begin() + 3 * p, ours.begin() + 3 * p + 3))
            << frames[i] << " pixel " << p;
  }
}

// The pixels a reference gives: libpng's reading of a PNG (corrected for its
// gamma), the rendering stored beside a PCX file, or what the file is named for.
bool ReferencePixels(const TCorpusEntry& e, int w, int h, test::TRgbImage& ref) {
  if (e.Format == "png") {
    std::string file = ReadFileBytes(e.FullPath()), why;
    EXPECT_TRUE(test::LibpngDecode(file, ref, &why)) << why;
    ApplyFileGamma(file, ref.Rgb);
    return true;
  }
  if (e.Format != "pcx") return false;
  std::string png = e.FullPath().substr(0, e.FullPath().rfind('.')) + ".png";
  if (std::filesystem::exists(png)) return test::LibpngDecode(ReadFileBytes(png), ref);
  if (!Has(e.Path, "_white.pcx")) return false;
  ref.Rgb.assign(size_t(3) * w * h, 255);
  return true;
}

void ExpectValid(const TCorpusEntry& e, const TDecoded& d) {
  std::string refusal = RefusedByDesign(e);
  ASSERT_EQ(d.Error, refusal);
  if (!refusal.empty()) return;
  if (IsMetafile(e)) {  // the probe's figures are rounded: allow a pixel
    double w, h;
    ASSERT_TRUE(e.ExpectedSize(w, h)) << e.Probe;
    EXPECT_NEAR(d.Width, w, 1.5);
    EXPECT_NEAR(d.Height, h, 1.5);
    return;
  }
  int w, h;
  ASSERT_TRUE(e.ProbeSize(w, h)) << e.Probe;
  EXPECT_EQ(d.Bitmap.Width, w);
  EXPECT_EQ(d.Bitmap.Height, h);
  test::TRgbImage ref;
  bool hasReference = ReferencePixels(e, w, h, ref);
  EXPECT_EQ(d.Bitmap.PixelFormat, DecodesToColour(e, ref) ? pf24bit : pf8bit);
  if (hasReference) EXPECT_TRUE(test::ToRgb(d.Bitmap) == ref.Rgb);
  if (e.Format == "gif") ExpectGifFrames(e);
  if (e.Format == "jpeg" && Has(e.Note, "solid red")) {
    const uint8_t* p = d.Bitmap.ScanLine(h / 2) + 3 * (w / 2);
    EXPECT_TRUE(p[2] > 200 && p[1] < 60 && p[0] < 60);
  }
}

class Corpus : public ::testing::TestWithParam<TCorpusEntry> {};

TEST_P(Corpus, MeetsItsExpectation) {
  const TCorpusEntry& e = GetParam();
  TDecoded d = Decode(e);
  if (e.Expect == "valid") {
    ExpectValid(e, d);
  } else if (IsMetafile(e) && lumarte::testing::DamageIsHarmlessHere(e.Path)) {
    EXPECT_EQ(d.Error, "");  // listed as invalid for another reader's sake
  } else if (e.Expect == "invalid") {
    // The plug-in decodes with OpenJPEG 2.5.0: where ImageMagick decoded a
    // file with that same library, an image is no fault of ours.
    if (!(e.Format == "jp2" && e.ImageMagickDecodes)) EXPECT_NE(d.Error, "");
  } else if (IsMetafile(e)) {
    EXPECT_EQ(d.Error, "");  // EMF+ records ride in comments, which are skipped
  } else if (e.Expect == "unsupported" && (e.Format == "bmp" || e.Format == "pcx")) {
    EXPECT_EQ(d.Error, e.Format == "bmp" ? "Unsupported bitmap format" : "Unsupported file format");
  } else if (d.Error.empty()) {
    EXPECT_GT(d.Width, 0);
  }
}

std::vector<TCorpusEntry> AllEntries() {
  std::vector<TCorpusEntry> all;
  for (const char* format : {"bmp", "emf", "gif", "ico", "jp2", "jpeg", "pcx", "png", "wmf"})
    for (auto& e : lumarte::testing::CorpusEntries(
             format, {"valid", "invalid", "damaged", "questionable", "unsupported"}))
      all.push_back(e);
  return all;
}

INSTANTIATE_TEST_SUITE_P(Files, Corpus, ::testing::ValuesIn(AllEntries()), [](const auto& info) {
  return info.param.Format + "_" + lumarte::testing::CorpusTestName(info.param);
});
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Corpus);

TEST(CorpusIndex, ListsEveryFolder) {
  if (!std::filesystem::exists(LUMARTE_CORPUS_DIR "/MANIFEST.tsv")) GTEST_SKIP() << "no corpus";
  EXPECT_GT(lumarte::testing::CorpusEntries("gif", {"valid"}).size(), 50u);
  EXPECT_GT(lumarte::testing::CorpusEntries("jpeg", {"valid"}).size(), 20u);
}

// The bitmap suite draws one picture in many encodings: files of one family
// decode to the same colours (16-bit ones within their 5-bit steps).
struct TSamePicture {
  const char* Reference;
  const char* Other;
  int Tolerance;
};

class BmpSamePicture : public ::testing::TestWithParam<TSamePicture> {};

TEST_P(BmpSamePicture, MatchesReference) {
  std::string dir = LUMARTE_CORPUS_DIR "/bmp/";
  if (!std::filesystem::exists(dir)) GTEST_SKIP() << "no corpus";
  TRevedBitmap ref, other;
  ref.LoadFromFile(dir + GetParam().Reference);
  other.LoadFromFile(dir + GetParam().Other);
  ASSERT_EQ(ref.Width, other.Width);
  ASSERT_EQ(ref.Height, other.Height);
  std::vector<uint8_t> a = test::ToRgb(ref), b = test::ToRgb(other);
  int worst = 0;
  for (size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
  EXPECT_LE(worst, GetParam().Tolerance);
}

#define G "bmpsuite/g/"
#define Q "bmpsuite/q/"
INSTANTIATE_TEST_SUITE_P(
    Bmpsuite, BmpSamePicture,
    ::testing::Values(TSamePicture{G "pal8.bmp", G "pal8-0.bmp", 0},
                      TSamePicture{G "pal8.bmp", G "pal8os2.bmp", 0},
                      TSamePicture{G "pal8.bmp", G "pal8rle.bmp", 0},
                      TSamePicture{G "pal8.bmp", G "pal8topdown.bmp", 0},
                      TSamePicture{G "pal8.bmp", G "pal8v4.bmp", 0},
                      TSamePicture{G "pal8.bmp", G "pal8v5.bmp", 0},
                      TSamePicture{G "pal8.bmp", Q "pal8os2sp.bmp", 0},
                      TSamePicture{G "pal8.bmp", Q "pal8os2v2-16.bmp", 0},
                      TSamePicture{G "pal8.bmp", Q "pal8offs.bmp", 0},
                      TSamePicture{G "pal4.bmp", G "pal4rle.bmp", 0},
                      TSamePicture{G "pal1.bmp", G "pal1wb.bmp", 0},
                      TSamePicture{G "rgb24.bmp", G "rgb24pal.bmp", 0},
                      TSamePicture{G "rgb24.bmp", G "rgb32.bmp", 0},
                      TSamePicture{G "rgb24.bmp", G "rgb32bf.bmp", 0},
                      TSamePicture{G "rgb24.bmp", G "rgb32bfdef.bmp", 0},
                      TSamePicture{G "rgb24.bmp", Q "rgb32-xbgr.bmp", 0},
                      TSamePicture{G "rgb24.bmp", Q "rgb32h52.bmp", 0},
                      TSamePicture{G "rgb24.bmp", "pillow/rgb32bf-abgr.bmp", 0},
                      TSamePicture{G "rgb24.bmp", G "rgb16.bmp", 4},
                      TSamePicture{G "rgb24.bmp", G "rgb16-565.bmp", 4},
                      TSamePicture{G "rgb24.bmp", G "rgb16bfdef.bmp", 4},
                      TSamePicture{G "rgb24.bmp", Q "rgb32-111110.bmp", 1},
                      TSamePicture{Q "rgba32-1.bmp", Q "rgba32abf.bmp", 0},
                      TSamePicture{Q "rgba32-1.bmp", Q "rgba32-1010102.bmp", 0}));
#undef G
#undef Q

}  // namespace
}  // namespace lumarte::imaging

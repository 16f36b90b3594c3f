// The third-party GIF corpus through our reader. Valid files give the screen
// size of the manifest and, where the suite has expected pixels, the same
// frames; broken files give a clean exception.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>

#include "imaging/CorpusManifest.h"
#include "imaging/GIFLoader.h"

using namespace lumarte::imaging;
using lumarte::testing::TCorpusEntry;

namespace {

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::string TestName(const ::testing::TestParamInfo<TCorpusEntry>& info) {
  return lumarte::testing::CorpusTestName(info.param);
}

std::pair<int, int> ProbedScreen(const std::string& probe) {
  std::smatch m;
  if (!std::regex_search(probe, m, std::regex(R"(screen (\d+)x(\d+))"))) return {0, 0};
  return {std::stoi(m[1]), std::stoi(m[2])};
}

int ProbedImages(const std::string& probe) {
  std::smatch m;
  return std::regex_search(probe, m, std::regex(R"(images=(\d+))")) ? std::stoi(m[1]) : 0;
}

// The expected frames of a suite test: the .rgba file of each frame, in order.
std::vector<std::string> ExpectedFrames(const std::string& gifPath) {
  std::string conf = gifPath.substr(0, gifPath.size() - 4) + ".conf";
  std::ifstream in(conf);
  std::map<std::string, std::string> pixels;
  std::vector<std::string> order;
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
  std::vector<std::string> files;
  std::string folder = gifPath.substr(0, gifPath.rfind('/') + 1);
  for (const auto& f : order) files.push_back(pixels.count(f) ? folder + pixels[f] : "");
  return files;
}

// Opaque pixels of the expected RGBA frame must match; transparent ones show
// whatever lies below and are not compared.
void ExpectFrame(const TRevedBitmap& pic, const std::string& rgbaFile) {
  std::string rgba = ReadFileBytes(rgbaFile);
  ASSERT_EQ(rgba.size(), static_cast<size_t>(pic.Width) * pic.Height * 4) << rgbaFile;
  for (int y = 0; y < pic.Height; ++y)
    for (int x = 0; x < pic.Width; ++x) {
      auto e = reinterpret_cast<const uint8_t*>(rgba.data()) +
               4 * (static_cast<size_t>(y) * pic.Width + x);
      if (e[3] != 255) continue;
      const uint8_t* p = pic.ScanLine(y) + 3 * x;
      ASSERT_TRUE(p[2] == e[0] && p[1] == e[1] && p[0] == e[2])
          << rgbaFile << " pixel " << x << "," << y;
    }
}

TGIFImage LoadImage(const TCorpusEntry& e) {
  std::string bytes = ReadFileBytes(e.FullPath());
  TMemoryStream in(bytes.data(), bytes.size());
  TGIFImage img;
  img.LoadFromStream(in);
  return img;
}

class GIFCorpusValid : public ::testing::TestWithParam<TCorpusEntry> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GIFCorpusValid);

TEST_P(GIFCorpusValid, DecodesToTheScreenSizeAndExpectedFrames) {
  const TCorpusEntry& e = GetParam();
  auto [w, h] = ProbedScreen(e.Probe);
  // Frames wider or taller than 16384 pixels are refused by design.
  if (w > TGIFImage::kMaxFrameSide || h > TGIFImage::kMaxFrameSide) {
    EXPECT_THROW(LoadImage(e), lumarte::EFormatError);
    return;
  }
  TRevedBitmap pic;
  pic.LoadFromFile(e.FullPath());
  EXPECT_EQ(pic.Width, w);
  EXPECT_EQ(pic.Height, h);
  TGIFImage img = LoadImage(e);
  std::vector<std::string> frames = ExpectedFrames(e.FullPath());
  // The suite merges images without delays into one frame; compare only
  // where each image is a frame of its own.
  if (frames.size() != static_cast<size_t>(ProbedImages(e.Probe))) return;
  for (size_t i = 0; i < frames.size(); ++i) {
    if (frames[i].empty()) continue;
    TRevedBitmap composed;
    img.Compose(i, composed);
    ExpectFrame(composed, frames[i]);
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, GIFCorpusValid,
                         ::testing::ValuesIn(lumarte::testing::CorpusEntries("gif", {"valid"})),
                         TestName);

class GIFCorpusInvalid : public ::testing::TestWithParam<TCorpusEntry> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GIFCorpusInvalid);

TEST_P(GIFCorpusInvalid, RaisesACleanException) {
  TRevedBitmap pic;
  EXPECT_THROW(pic.LoadFromFile(GetParam().FullPath()), lumarte::ELumarteBase);
  EXPECT_FALSE(pic.Present);
}

INSTANTIATE_TEST_SUITE_P(Corpus, GIFCorpusInvalid,
                         ::testing::ValuesIn(lumarte::testing::CorpusEntries("gif", {"invalid"})),
                         TestName);

class GIFCorpusOther : public ::testing::TestWithParam<TCorpusEntry> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GIFCorpusOther);

// Damaged and questionable files: a picture or a clean exception, and every
// frame that reads composes without fault.
TEST_P(GIFCorpusOther, DecodesOrFailsCleanly) {
  try {
    TGIFImage img = LoadImage(GetParam());
    TRevedBitmap pic;
    img.FirstPicture(pic);
    EXPECT_EQ(pic.Width, img.ScreenWidth);
    for (size_t i = 0; i < img.Frames.size(); ++i) img.Compose(i, pic);
  } catch (const lumarte::ELumarteBase&) {
  }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, GIFCorpusOther,
    ::testing::ValuesIn(lumarte::testing::CorpusEntries("gif", {"damaged", "questionable"})),
    TestName);

}  // namespace

namespace {

TEST(GIFCorpus, ManifestListsTheGifFolder) {
  if (!std::filesystem::exists(LUMARTE_CORPUS_DIR "/gif")) GTEST_SKIP() << "no corpus";
  EXPECT_GT(lumarte::testing::CorpusEntries("gif", {"valid"}).size(), 50u);
}

}  // namespace

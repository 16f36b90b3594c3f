// Many files at once: every good file is done, every bad one is named, and
// no output lands on an input.
#include <gtest/gtest.h>

#include <cstring>

#include "cli/CliFixture.h"

using namespace lumarte;
using namespace lumarte::imaging;

namespace {

class Batch : public Cli {
 protected:
  void SetUp() override {
    Cli::SetUp();
    Source = MakeColour("a.bmp", 7, 5);
    ASSERT_EQ(Run({"convert", Path("a.bmp"), Path("b.pcx")}), 0) << Err;
    ASSERT_EQ(Run({"convert", Path("a.bmp"), Path("c.ppm")}), 0) << Err;
    WriteBytes("broken.png", "not a PNG file");
  }
  std::vector<std::string> Inputs() const {
    return {Path("a.bmp"), Path("broken.png"), Path("b.pcx"), Path("c.ppm")};
  }
  TRevedBitmap Source;
};

TEST_F(Batch, EveryGoodFileIsDoneAndTheBrokenOneNamed) {
  std::vector<std::string> args{"convert", "-o", Path("out"), "--to", "png"};
  for (const auto& in : Inputs()) args.push_back(in);
  EXPECT_EQ(Run(args), 1);
  EXPECT_EQ(Err, "lumarte-cli: " + Path("broken.png") + ": Invalid PNG header\n");
  for (const char* name : {"out/a.png", "out/b.png", "out/c.png"}) {
    TRevedBitmap back;
    back.LoadFromFile(Path(name));
    ASSERT_EQ(back.Size, Source.Size) << name;
    EXPECT_EQ(std::memcmp(back.Map.get(), Source.Map.get(), Source.Size), 0) << name;
  }
  EXPECT_FALSE(fs::exists(Path("out/broken.png")));

  // apply keeps each input's name and format.
  args = {"apply", "-o", Path("applied")};
  for (const auto& in : Inputs()) args.push_back(in);
  args.push_back("negative-image");
  EXPECT_EQ(Run(args), 1);
  EXPECT_EQ(Err, "lumarte-cli: " + Path("broken.png") + ": Invalid PNG header\n");
  EXPECT_TRUE(fs::exists(Path("applied/a.bmp")));
  EXPECT_TRUE(fs::exists(Path("applied/b.pcx")));
  const std::string negative = FileBytes("applied/c.ppm");
  ASSERT_EQ(negative.size(), FileBytes("c.ppm").size());
  EXPECT_EQ(uint8_t(negative.back()), 255 - uint8_t(FileBytes("c.ppm").back()));
}

struct TClash {
  std::vector<std::string> Args;  // "@" stands for the test's folder
  std::string Refused;            // what is reported, "@" as above
};

class OutputOverInput : public Batch, public ::testing::WithParamInterface<TClash> {
 protected:
  std::string Resolved(std::string s) const {
    for (size_t at; (at = s.find('@')) != std::string::npos;) s.replace(at, 1, Path(""));
    return s;
  }
};

TEST_P(OutputOverInput, IsRefusedAndTheInputKept) {
  WriteBytes("a.pcx", FileBytes("b.pcx"));
  std::vector<std::string> args;
  for (const std::string& a : GetParam().Args) args.push_back(Resolved(a));
  const std::string before = FileBytes("a.bmp");
  EXPECT_EQ(Run(args), 1);
  EXPECT_EQ(Err, Resolved(GetParam().Refused));
  EXPECT_EQ(FileBytes("a.bmp"), before);
}

const std::string kItself =
    "lumarte-cli: @a.bmp: the output would be written over this input itself\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputOverInput,
    ::testing::Values(
        TClash{{"convert", "@a.bmp", "@./a.bmp"}, kItself},
        TClash{{"convert", "@a.bmp", "-o", "@"}, kItself},
        TClash{{"apply", "@a.bmp", "@a.bmp", "negative-image"}, kItself},
        TClash{{"convert", "@b.pcx", "@b.pcx", "-o", "@out"},
               "lumarte-cli: @b.pcx: the output @out/b.pcx is already the output of @b.pcx\n"},
        TClash{{"convert", "@a.pcx", "@a.bmp", "-o", "@", "--to", "bmp"},
               "lumarte-cli: @a.pcx: the output @a.bmp would be written over the input @a.bmp\n" +
                   kItself}));

}  // namespace

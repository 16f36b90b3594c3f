#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/cli/ConvertCommand.h"
#include "cli/CliFixture.h"
#include "imaging/RevedBitmap.h"

using namespace lumarte;
using namespace lumarte::cli;
using namespace lumarte::editor;
using namespace lumarte::imaging;
namespace fs = std::filesystem;

namespace {

// A string literal with its embedded zero bytes.
template <size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

// ---- argument parsing ----

struct TParseCase {
  std::vector<std::string> Args;
  std::string Error;  // "" when the arguments are fine
};

const std::string kFiles = "convert takes an input and an output file, or input files and -o DIR";
const std::string kRate = "--rate takes a percentage from 0.0 to 9.9";

class ConvertParse : public ::testing::TestWithParam<TParseCase> {};

TEST_P(ConvertParse, AcceptsOrNamesTheProblem) {
  TConvertRequest r;
  EXPECT_EQ(ParseConvert(GetParam().Args, r), GetParam().Error);
}

INSTANTIATE_TEST_SUITE_P(
    Args, ConvertParse,
    ::testing::Values(
        TParseCase{{"a.bmp", "b.pcx"}, ""},
        TParseCase{{"--bits", "4", "a.bmp", "b.bmp", "--quality", "100"}, ""},
        TParseCase{{"a", "b", "c", "-o", "out", "--to", ".png", "--rate", "5.3"}, ""},
        TParseCase{{"a.bmp"}, kFiles},
        TParseCase{{"a", "b", "c"}, kFiles},
        TParseCase{{"a", "b", "--to", "png"}, "--to needs -o DIR"},
        TParseCase{{"-o", "out"}, "convert -o DIR takes at least one input file"},
        TParseCase{{"a", "b", "--rate", "10"}, kRate},
        TParseCase{{"a", "b", "--rate", "4.25"}, kRate},
        TParseCase{{"a", "b", "--rate", ".5"}, kRate},
        TParseCase{{"a", "b", "--rate", "1", "--lossless"},
                   "--rate and --lossless exclude each other"},
        TParseCase{{"a", "b", "--bits", "16"}, "--bits takes 1, 4, 8 or 24"},
        TParseCase{{"a", "b", "--bits"}, "--bits needs a value"},
        TParseCase{{"a", "b", "--quality", "0"}, "--quality takes a number from 1 to 100"},
        TParseCase{{"a", "b", "--quality", "101"}, "--quality takes a number from 1 to 100"},
        TParseCase{{"a", "b", "--transparent", "12345"},
                   "--transparent takes a colour RRGGBB in hexadecimal"},
        TParseCase{{"a", "b", "--transparent", "12345g"},
                   "--transparent takes a colour RRGGBB in hexadecimal"},
        TParseCase{{"a", "b", "--quality", "9x"}, "--quality takes a number from 1 to 100"}));

TEST(ConvertParse, StoresOptions) {
  TConvertRequest r;
  ASSERT_EQ(ParseConvert({"in.png", "--quality", "85", "--progressive", "out.jpg", "--bits", "8",
                          "--transparent", "FF8000"},
                         r),
            "");
  EXPECT_EQ(r.Inputs, std::vector<std::string>{"in.png"});
  EXPECT_EQ(r.Output, "out.jpg");
  EXPECT_EQ(r.Options.Quality, 85);
  EXPECT_TRUE(r.Options.Progressive);
  EXPECT_EQ(r.Options.Bits, 8);
  EXPECT_TRUE(r.Options.Transparent);
  EXPECT_EQ(r.Options.TransparentColor, 0x0080FFu);  // 0x00BBGGRR
  EXPECT_EQ(r.Given, unsigned(optQuality | optProgressive | optBits8 | optTransparent));
}

// ---- running commands ----

TEST_F(Cli, InfoListsEveryFileAndFailsForBadOnes) {
  MakeColour("colour.bmp", 5, 3);
  TRevedBitmap grey;
  grey.New(4, 2, pf8bit);
  *grey.Palette = DefaultPalette();
  grey.SaveToFile(Path("grey.pcx"));
  WriteBytes("broken.bmp", "BM nonsense");
  EXPECT_EQ(Run({"info", Path("colour.bmp"), Path("grey.pcx")}), 0);
  EXPECT_EQ(Out, Path("colour.bmp") + ": BMP, 5 x 3, 24-bit\n" + Path("grey.pcx") +
                     ": PCX, 4 x 2, 8-bit, grey, palette 256\n");
  EXPECT_EQ(Run({"info", Path("broken.bmp"), Path("colour.bmp")}), 1);
  EXPECT_EQ(Out, Path("colour.bmp") + ": BMP, 5 x 3, 24-bit\n");
  EXPECT_EQ(Err, Path("broken.bmp") + ": Read less than expected\n");
  EXPECT_EQ(Run({"info"}), 2);
}

TEST_F(Cli, ConvertChainKeepsPixels) {
  TRevedBitmap src = MakeColour("a.bmp", 7, 5);
  ASSERT_EQ(Run({"convert", Path("a.bmp"), Path("b.pcx")}), 0) << Err;
  ASSERT_EQ(Run({"convert", Path("b.pcx"), Path("c.ppm")}), 0) << Err;
  ASSERT_EQ(Run({"convert", Path("c.ppm"), Path("d.png")}), 0) << Err;
  ASSERT_EQ(Run({"convert", Path("d.png"), Path("e.bmp")}), 0) << Err;
  TRevedBitmap back;
  back.LoadFromFile(Path("e.bmp"));
  ASSERT_EQ(back.PixelFormat, pf24bit);
  EXPECT_EQ(std::memcmp(back.Map.get(), src.Map.get(), src.Size), 0);
  EXPECT_EQ(FileBytes("c.ppm").substr(0, 11), "P6\n7 5\n255\n");
  EXPECT_EQ(FileBytes("d.png").substr(0, 8), Bytes("\x89PNG\r\n\x1a\n"));
  EXPECT_EQ(FilesInDir(),
            (std::vector<std::string>{"a.bmp", "b.pcx", "c.ppm", "d.png", "e.bmp"}));
}

TEST_F(Cli, PaletteImagesExpandToPpmAndGreyToPgm) {
  TRevedBitmap b;
  b.New(2, 1, pf8bit);
  b.Map[0] = 0, b.Map[1] = 1;
  (*b.Palette)[0] = 10, (*b.Palette)[1] = 20, (*b.Palette)[2] = 30;  // blue, green, red
  (*b.Palette)[3] = 60, (*b.Palette)[4] = 60, (*b.Palette)[5] = 60;
  b.SaveToFile(Path("p.bmp"));
  ASSERT_EQ(Run({"convert", Path("p.bmp"), Path("p.ppm")}), 0) << Err;
  EXPECT_EQ(FileBytes("p.ppm"), std::string("P6\n2 1\n255\n\x1e\x14\x0a\x3c\x3c\x3c"));
  ASSERT_EQ(Run({"convert", Path("p.bmp"), Path("p.pgm")}), 0) << Err;
  // (2 R + 3 G + B) / 6: (60 + 60 + 10) / 6 = 21; a grey pixel stays itself.
  EXPECT_EQ(FileBytes("p.pgm"), std::string("P5\n2 1\n255\n\x15\x3c"));
  ASSERT_EQ(Run({"info", Path("p.pgm")}), 0);
  EXPECT_EQ(Out, Path("p.pgm") + ": PGM, 2 x 1, 8-bit, grey\n");
}

TEST_F(Cli, ReadsPnmHeadersWithCommentsAndOtherRanges) {
  WriteBytes("a.ppm", Bytes("P6 # made by hand\n2 1\n# range\n15\n\x0f\x00\x05\x01\x02\x03"));
  WriteBytes("b.pgm", Bytes("P5\n1 1\n1000\n\x01\xf4"));
  ASSERT_EQ(Run({"convert", Path("a.ppm"), Path("a2.ppm")}), 0) << Err;
  EXPECT_EQ(FileBytes("a2.ppm"), Bytes("P6\n2 1\n255\n\xff\x00\x55\x11\x22\x33"));
  ASSERT_EQ(Run({"convert", Path("b.pgm"), Path("b2.pgm")}), 0) << Err;
  EXPECT_EQ(FileBytes("b2.pgm"), Bytes("P5\n1 1\n255\n\x80"));  // 500 of 1000
  // The pixels are read in one piece: a short file is still an error.
  WriteBytes("t.ppm", Bytes("P6\n2 1\n255\n\x01\x02\x03\x04"));
  EXPECT_EQ(Run({"convert", Path("t.ppm"), Path("t2.ppm")}), 1);
  EXPECT_NE(Err.find("Read less than expected"), std::string::npos) << Err;
  EXPECT_FALSE(fs::exists(Path("t2.ppm")));
}

TEST_F(Cli, BitsChooseTheBmpDepth) {
  MakeColour("a.bmp");
  for (int bits : {1, 4, 8, 24}) {
    std::string name = "d" + std::to_string(bits) + ".bmp";
    ASSERT_EQ(Run({"convert", Path("a.bmp"), Path(name), "--bits", std::to_string(bits)}), 0);
    EXPECT_EQ(uint8_t(FileBytes(name)[28]), bits);
  }
}

TEST_F(Cli, OptionsTheFormatLacks) {
  MakeColour("a.bmp");
  // A depth PCX does not hold is bad usage; options it has no use for are noted.
  EXPECT_EQ(Run({"convert", Path("a.bmp"), Path("b.pcx"), "--bits", "4"}), 2);
  EXPECT_EQ(Err, "lumarte-cli: --bits 4 is not available for .pcx files\n");
  EXPECT_FALSE(fs::exists(Path("b.pcx")));
  EXPECT_EQ(Run({"convert", Path("a.bmp"), Path("b.pcx"), "--bits", "8", "--quality", "5"}), 0);
  EXPECT_EQ(Err, "lumarte-cli: note: --quality does not apply to .pcx files\n");
  TRevedBitmap b;
  b.LoadFromFile(Path("b.pcx"));
  EXPECT_EQ(b.PixelFormat, pf8bit);
  EXPECT_EQ(Run({"convert", Path("a.bmp"), Path("x.jpg"), "--transparent", "000000"}), 0);
  EXPECT_EQ(Err, "lumarte-cli: note: --transparent does not apply to .jpg files\n");
  EXPECT_EQ(Run({"convert", Path("a.bmp"), Path("x.gif"), "--quality", "50"}), 0);
  EXPECT_EQ(Err, "lumarte-cli: note: --quality does not apply to .gif files\n");
}

TEST_F(Cli, FailuresLeaveTheTargetAlone) {
  MakeColour("a.bmp");
  WriteBytes("old.bmp", "previous contents");
  WriteBytes("bad.pcx", Bytes("\x0a\x05\x01\x08"));
  EXPECT_EQ(Run({"convert", Path("bad.pcx"), Path("old.bmp")}), 1);
  EXPECT_EQ(Err, "lumarte-cli: " + Path("bad.pcx") + ": Read less than expected\n");
  EXPECT_EQ(Run({"convert", Path("a.bmp"), Path("old.hips")}), 1);  // HIPS is read only
  EXPECT_EQ(Err, "lumarte-cli: " + Path("old.hips") + ": Unsupported file format\n");
  EXPECT_EQ(Run({"convert", Path("missing.bmp"), Path("old.bmp")}), 1);
  EXPECT_EQ(FileBytes("old.bmp"), "previous contents");
  EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"a.bmp", "bad.pcx", "old.bmp"}));
  EXPECT_EQ(Run({"convert", Path("a.bmp"), Path("no/such/dir.bmp")}), 1);
}

}  // namespace

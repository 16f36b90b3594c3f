// lumarte-cli apply: argument parsing, the effect list, and that a file run
// through the command line gets the very pixels the model computes.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "app/cli/ApplyCommand.h"
#include "cli/CliFixture.h"
#include "editor/model/SelectionTest.h"
#include "effects/model/EffectInput.h"
#include "support/Selections.h"
#include "support/TestPicture.h"

using namespace lumarte;
using namespace lumarte::cli;
using namespace lumarte::editor;

namespace {

struct TApplyParseCase {
  std::vector<std::string> Args;
  std::string Error;  // "" when the arguments are fine
};

class ApplyParse : public ::testing::TestWithParam<TApplyParseCase> {};

TEST_P(ApplyParse, AcceptsOrNamesTheProblem) {
  TApplyRequest r;
  EXPECT_EQ(ParseApply(GetParam().Args, r), GetParam().Error);
}

const std::string kPoly = "a polygon needs at least three points";
const std::string kPairs = "polygon points are X,Y pairs separated by \";\"";
const std::string kRect = "rect: takes X1,Y1,X2,Y2 (numbers 0..65535)";

INSTANTIATE_TEST_SUITE_P(
    Args, ApplyParse,
    ::testing::Values(
        TApplyParseCase{{"a.ppm", "b.ppm", "adjust-brightness", "red=-40", "range=0-1-10"}, ""},
        TApplyParseCase{{"--seed", "7", "a", "b", "add-noise", "--select", "circle:5,5,3"}, ""},
        TApplyParseCase{{"a", "b", "switch-colors", "red=21"}, ""},
        TApplyParseCase{{"a", "b", "-o", "d", "add-noise", "intensity=3"}, ""},
        TApplyParseCase{{"-o", "d", "a", "intensity=3"},
                        "apply -o DIR takes input files and an effect (lumarte-cli apply --list "
                        "names them)"},
        TApplyParseCase{{"a", "b"}, "apply takes an input file, an output file and an effect"},
        TApplyParseCase{{"a", "b", "blur-everything"},
                        "unknown effect \"blur-everything\" (lumarte-cli apply --list names them)"},
        TApplyParseCase{{"a", "b", "adjust-brightness", "red=101"},
                        "Value 101 for red is outside -100..100"},
        TApplyParseCase{{"a", "b", "adjust-brightness", "hue=1"},
                        "Effect \"adjust-brightness\" has no parameter \"hue\""},
        TApplyParseCase{{"a", "b", "adjust-brightness", "red"}, "Expected name=value, got \"red\""},
        TApplyParseCase{{"a", "b", "switch-colors", "red=255-red-green-blue-div-3"},
                        "\"255-red-green-blue-div-3\" names several choices of red; give the "
                        "choice's number"},
        TApplyParseCase{{"a", "b", "switch-colors", "red=2.5"}, "Invalid value \"2.5\" for red"},
        TApplyParseCase{{"a", "b", "add-noise", "--seed", "-1"},
                        "--seed takes a number from 0 to 4294967295"},
        TApplyParseCase{{"a", "b", "add-noise", "--seed"}, "--seed needs a value"},
        TApplyParseCase{{"a", "b", "add-noise", "--select", "rect:1,2,3"}, kRect},
        TApplyParseCase{{"a", "b", "add-noise", "--select", "rect:1,2,3,-4"}, kRect},
        TApplyParseCase{{"a", "b", "add-noise", "--select", "rect:1,2,3,70000"}, kRect},
        TApplyParseCase{{"a", "b", "add-noise", "--select", "circle:1,2"},
                        "circle: takes CX,CY,R (numbers 0..65535)"},
        TApplyParseCase{{"a", "b", "add-noise", "--select", "polygon:1,2;3,4"}, kPoly},
        TApplyParseCase{{"a", "b", "add-noise", "--select", "polygon:1,2;3,4;"}, kPairs},
        TApplyParseCase{{"a", "b", "add-noise", "--select", "polygon:1,2;3;5,6"}, kPairs},
        TApplyParseCase{{"a", "b", "add-noise", "--fg", "12345"},
                        "--fg takes a colour RRGGBB in hexadecimal"},
        TApplyParseCase{{"a", "b", "add-noise", "--pen", "0"}, "--pen takes a width from 1 to 128"},
        TApplyParseCase{{"a", "b", "add-noise", "--pen", "129"},
                        "--pen takes a width from 1 to 128"},
        TApplyParseCase{{"a", "b", "add-noise", "--select", "square:1,1,2,2"},
                        "--select takes rect:, circle: or polygon:"},
        TApplyParseCase{
            {"a", "b", "light-and-darkness", "--light", "0,1,2,30,-1,0,1000,9,9,9", "--light",
             "1,5,5,9,9,-1,1,0,0,0", "--barrier", "1,2,3,4,100,0,50", "normalize=1"},
            ""},
        TApplyParseCase{{"a", "b", "light-and-darkness", "--light"}, "--light needs a value"},
        TApplyParseCase{{"--light", "0,1,2,30,-1,0,1000,9,9,9", "a", "b", "light-and-darkness"},
                        ""},
        TApplyParseCase{{"a", "b", "add-noise", "--barrier", "1,2,3,4,100,0,50"},
                        "unknown option --barrier"},
        TApplyParseCase{{"a", "b", "write", "text=x=1, y", "font=DejaVu Serif", "size=40"}, ""},
        TApplyParseCase{{"a", "b", "paste-insert"}, "paste-insert needs --paste FILE"},
        // Values of every kind: a choice by name, a fraction, a long name, a line break.
        TApplyParseCase{{"a", "b", "moving-average-unsharpen-and-edge-detection", "width=2",
                         "mode=as-high-pass-normalized"},
                        ""},
        TApplyParseCase{{"a", "b", "motion-blur", "speed=5", "direction=1.2"}, ""},
        TApplyParseCase{{"a", "b", "sharpen", "intensity=8",
                         "recursive-stronger-sharpening-but-color-changes=1"},
                        ""},
        TApplyParseCase{{"a", "b", "write", "text=Hi\nyo", "bitmap-font=1", "alignment=right"}, ""},
        TApplyParseCase{{"a", "b", "split-colors-rgb-of-the-image-into-3-images", "channel=alpha"},
                        "Invalid value \"alpha\" for channel"}));

TEST(ApplyParse, StoresTheRequest) {
  TApplyRequest r;
  ASSERT_EQ(ParseApply({"in.png", "out.bmp", "adjust-contrast", "channel=blue", "contrast=-12",
                        "--seed", "4294967295"},
                       r),
            "");
  EXPECT_EQ(r.Inputs, std::vector<std::string>{"in.png"});
  EXPECT_EQ(r.Output, "out.bmp");
  EXPECT_EQ(r.Effect->Name, "adjust-contrast");
  EXPECT_EQ(r.Values.Get(r.Effect->Param("channel")), 3);
  EXPECT_EQ(r.Values.Get(r.Effect->Param("contrast")), -12);
  EXPECT_EQ(r.Values.Get(r.Effect->Param("brightness")), 0) << "the default";
  EXPECT_EQ(r.Seed, 4294967295u);
  EXPECT_EQ(r.Colours.BG, TColorSet{}.BG) << "the program's defaults";
  EXPECT_EQ(r.Colours.PenWidth, 1);
  ASSERT_EQ(ParseApply({"a", "b", "adjust-contrast", "--fg", "0a0B0c", "--pen", "128"}, r), "");
  EXPECT_EQ(r.Colours.FG, TColorEntry::FromRGB(10, 11, 12));
  EXPECT_EQ(r.Colours.PenWidth, 128);
}

class Apply : public Cli {
 protected:
  void SetUp() override { fixtures::WritePicture(Path("in.bmp"), 12, 9); }
};

// The options reach the effect: the written file holds what the model makes
// of the same values, selection, colours and seed.
struct TModelCase {
  std::vector<std::string> Options;  // after IN OUT
  std::map<std::string, double> Values;
  TSelectionClass Selection;
  uint32_t Seed;
  TColorEntry Bg = TColorSet{}.BG, Fg = TColorSet{}.FG;
};

void PrintTo(const TModelCase& c, std::ostream* os) {
  for (const std::string& o : c.Options) *os << o << ' ';
}

class ApplyModel : public Apply, public ::testing::WithParamInterface<TModelCase> {};

TEST_P(ApplyModel, WritesTheModelsPixels) {
  const TModelCase& c = GetParam();
  std::vector<std::string> args{"apply", Path("in.bmp"), Path("out.bmp")};
  args.insert(args.end(), c.Options.begin(), c.Options.end());
  ASSERT_EQ(Run(args), 0) << Err;
  const TBitmap source = ReadRaster("in.bmp");
  TSelectionClass shape = c.Selection;
  const TSelectionTest test(shape, source, TSelectByColor{});
  lumarte::NullProgress progress;
  TColorSet colours;
  colours.BG = c.Bg, colours.FG = c.Fg;
  effects::EffectInput in{source, test, progress, colours};
  in.Shape = &shape;
  TBitmap expected =
      effects::FindEffect(c.Options[0])->Run(in, effects::ParamValues(c.Values), c.Seed);
  // Nothing to do (a turn of one column): the image is written as it came.
  if (expected.Empty()) expected = source;
  EXPECT_EQ(ReadRaster("out.bmp"), expected);
}

using fixtures::RectSelection;
INSTANTIATE_TEST_SUITE_P(
    Effects, ApplyModel,
    ::testing::Values(
        TModelCase{{"adjust-brightness", "red=60", "--select", "rect:9,6,3,2"},
                   {{"red", 60}},
                   RectSelection(9, 6, 3, 2),
                   0},
        TModelCase{{"fill-selection-w-bg-color", "--select", "rect:2,1,4,3", "--bg", "FF8000",
                    "--fg", "0000FF"},
                   {},
                   RectSelection(2, 1, 4, 3),
                   0,
                   TColorEntry::FromRGB(255, 128, 0),
                   TColorEntry::FromRGB(0, 0, 255)},
        TModelCase{{"add-noise", "--seed", "5"}, {}, {}, 5},
        // Results of another size are written at that size.
        TModelCase{{"resize", "width=23", "height=7"}, {{"width", 23}, {"height", 7}}, {}, 0},
        TModelCase{
            {"rotate-all-90-left", "--select", "rect:2,0,2,2"}, {}, RectSelection(2, 0, 2, 2), 0}));

// The picture comes from the file --paste names, mixed into the image here.
TEST_F(Apply, PasteInsertTakesTheFile) {
  TRevedBitmap picture;
  picture.New(2, 1, pf24bit);
  for (int32_t i = 0; i < picture.Size; ++i) picture.Map[i] = 200;
  picture.SaveToFile(Path("p.bmp"));
  ASSERT_EQ(Run({"apply", Path("in.bmp"), Path("out.bmp"), "paste-insert", "x=3", "y=2", "mix=1",
                 "--paste", Path("p.bmp")}),
            0)
      << Err;
  const TBitmap source = ReadRaster("in.bmp"), got = ReadRaster("out.bmp");
  const uint8_t* s = source.ScanLine(2) + 3 * 4;
  EXPECT_EQ(got.Pixel(4, 2), RGBColor((s[2] + 200) >> 1, (s[1] + 200) >> 1, (s[0] + 200) >> 1));
  EXPECT_EQ(got.Pixel(5, 2), source.Pixel(5, 2));
  EXPECT_EQ(Run({"apply", Path("in.bmp"), Path("out.bmp"), "paste-insert", "--paste",
                 Path("missing.bmp")}),
            1);
}

TEST_F(Apply, ListNamesEveryEffectOnALineOfItsOwn) {
  ASSERT_EQ(Run({"apply", "--list"}), 0);
  std::istringstream lines(Out);
  std::string line;
  for (const auto& row : effects::EffectTable()) {
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, effects::DescribeEffect(row));
    EXPECT_EQ(line.rfind(row.Name, 0), 0u);
  }
  EXPECT_FALSE(std::getline(lines, line));
}

TEST_F(Apply, FailuresLeaveTheTargetAlone) {
  WriteBytes("old.bmp", "previous contents");
  EXPECT_EQ(Run({"apply", Path("missing.bmp"), Path("old.bmp"), "adjust-brightness"}), 1);
  EXPECT_EQ(Run({"apply", Path("in.bmp"), Path("old.bmp"), "adjust-brightness", "red=500"}), 2);
  EXPECT_NE(Err.find("Value 500 for red is outside -100..100"), std::string::npos);
  EXPECT_NE(Err.find("Usage: lumarte-cli apply"), std::string::npos);
  EXPECT_EQ(FileBytes("old.bmp"), "previous contents");
  EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"in.bmp", "old.bmp"}));
}

TEST_F(Apply, AnEffectsOwnRefusalIsReportedAndNothingWritten) {
  EXPECT_EQ(Run({"apply", Path("in.bmp"), Path("out.bmp"), "resize", "widthpercent=1"}), 1);
  EXPECT_NE(Err.find("Resize needs a width and a height of at least 1"), std::string::npos) << Err;
  EXPECT_EQ(Run({"apply", Path("in.bmp"), Path("out.bmp"), "write", "text=Hi",
                 "font=No Such Family Here"}),
            1);
  EXPECT_NE(Err.find("No font \"No Such Family Here\" is installed"), std::string::npos) << Err;
  EXPECT_EQ(FilesInDir(), std::vector<std::string>{"in.bmp"});
}

// write draws with the system's fonts, without a display.
TEST_F(Apply, WriteDrawsTextInTheForegroundColour) {
  TBitmap white(90, 40);
  WriteRaster("white.bmp", white);
  ASSERT_EQ(Run({"apply", Path("white.bmp"), Path("out.bmp"), "write", "text=Hello",
                 "font=DejaVu Sans", "size=14", "left=4", "top=3", "--fg", "1040C0"}),
            0)
      << Err;
  const TBitmap out = ReadRaster("out.bmp");
  int ink = 0, paper = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 90; ++x) {
      ink += out.Pixel(x, y) == RGBColor(0x10, 0x40, 0xC0);
      paper += out.Pixel(x, y) == clWhite;
      if (y < 3) ASSERT_EQ(out.Pixel(x, y), clWhite) << "nothing above Top";
    }
  EXPECT_GT(ink, 20);
  EXPECT_GT(paper, 90 * 40 / 2);
}

}  // namespace

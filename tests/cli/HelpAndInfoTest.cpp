// Every command explains itself and names a wrong option; info reports what
// the file itself stores.
#include <gtest/gtest.h>

#include "cli/CliFixture.h"
#include "imaging/GIFLoader.h"
#include "imaging/IconList.h"

using namespace lumarte;
using namespace lumarte::imaging;

namespace {

class CommandHelp : public Cli, public ::testing::WithParamInterface<std::string> {};

TEST_P(CommandHelp, HelpPrintsTheCommandsUsageAndAWrongOptionIsBadUsage) {
  const std::string& cmd = GetParam();
  const std::string usage = "Usage: lumarte-cli " + cmd;
  ASSERT_EQ(Run({cmd, "--help"}), 0);
  EXPECT_EQ(Out.rfind(usage, 0), 0u) << Out;
  EXPECT_EQ(Err, "");
  EXPECT_EQ(Run({cmd, "in.bmp", "out.bmp", "--frobnicate"}), 2);
  EXPECT_EQ(Out, "");
  EXPECT_EQ(Err.rfind("lumarte-cli: unknown option --frobnicate\n" + usage, 0), 0u) << Err;
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandHelp,
                         ::testing::Values("info", "convert", "apply", "gallery"));

TEST_F(Cli, TopLevelHelpVersionAndUnknownCommand) {
  ASSERT_EQ(Run({"--help"}), 0);
  EXPECT_EQ(Out.rfind("Usage: lumarte-cli COMMAND", 0), 0u);
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_EQ(Out, "Lumarte 1.0\n");
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"frobnicate", "--help"}), 2);
  EXPECT_EQ(Err.rfind("lumarte-cli: unknown command \"frobnicate\"\nUsage:", 0), 0u) << Err;
}

TEST_F(Cli, InfoNamesStoredDepthPaletteFramesAndIcons) {
  MakeColour("a.bmp", 6, 2);
  ASSERT_EQ(Run({"convert", Path("a.bmp"), Path("four.bmp"), "--bits", "4"}), 0) << Err;

  TRevedBitmap red, blue;
  red.New(3, 2, pf24bit);
  blue.New(3, 2, pf24bit);
  for (int32_t i = 0; i < red.Size; i += 3) red.Map[i + 2] = 255, blue.Map[i] = 255;
  TMemoryStream gif;
  TGIFWriterFrame first, second;
  first.Bitmap = &red;
  second.Bitmap = &blue;
  ASSERT_TRUE(WriteGIF(gif, {first, second}, {}));
  WriteBytes("two.gif", gif.Data);
  // The first frame is an 8-bit picture; PNG stores the one colour it uses.
  ASSERT_EQ(Run({"convert", Path("two.gif"), Path("indexed.png")}), 0) << Err;

  TIconList icons;  // blank (black) images
  icons.Add(16, 16, 4);
  icons.Add(32, 32, 24);
  TMemoryStream ico;
  icons.SaveToStream(ico);
  WriteBytes("two.ico", ico.Data);

  ASSERT_EQ(Run({"info", Path("four.bmp"), Path("two.gif"), Path("indexed.png"), Path("two.ico")}),
            0)
      << Err;
  EXPECT_EQ(Out, Path("four.bmp") + ": BMP, 6 x 2, 4-bit, palette 16\n" +              //
                     Path("two.gif") + ": GIF, 3 x 2, 1-bit, palette 2, 2 frames\n" +  //
                     Path("indexed.png") + ": PNG, 3 x 2, 8-bit, palette 1\n" +        //
                     Path("two.ico") + ": icon, 16 x 16, 4-bit, grey, palette 16\n" +
                     "  image 1: 16 x 16, 4-bit\n  image 2: 32 x 32, 24-bit\n");
}

}  // namespace

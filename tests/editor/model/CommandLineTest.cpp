#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "editor/model/CommandLine.h"

using namespace lumarte::editor;
using lumarte::fixtures::TempFolder;

namespace {

using Args = std::vector<std::string>;

struct SwitchCase {
  Args Arguments;
  bool Clip;
  TStartTool Tool;
  bool ImagesWindow;
  size_t Candidates;
};

class CommandLineSwitches : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(CommandLineSwitches, Parsed) {
  const auto& c = GetParam();
  TCommandLine cl = ParseCommandLine(c.Arguments, "/start");
  EXPECT_EQ(cl.Clip, c.Clip);
  EXPECT_EQ(cl.Tool, c.Tool);
  EXPECT_EQ(cl.ShowsImagesWindow(), c.ImagesWindow);
  EXPECT_EQ(cl.FileCandidates.size(), c.Candidates);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, CommandLineSwitches,
    ::testing::Values(SwitchCase{{}, false, TStartTool::None, true, 0},
                      SwitchCase{{"-clip"}, true, TStartTool::None, true, 0},
                      SwitchCase{{"-clip", "a.png"}, true, TStartTool::None, true, 0},
                      // case matters for -clip: "-CLIP" is just a (missing) file
                      SwitchCase{{"-CLIP"}, false, TStartTool::None, true, 1},
                      SwitchCase{{"-thumb"}, false, TStartTool::Thumb, false, 1},
                      SwitchCase{{"-THUMB"}, false, TStartTool::Thumb, false, 1},
                      SwitchCase{{"-Browser"}, false, TStartTool::Browser, true, 1},
                      SwitchCase{{"-VIDEO"}, false, TStartTool::Video, false, 1},
                      SwitchCase{{"-capture"}, false, TStartTool::Capture, false, 1},
                      // only the first argument is a switch
                      SwitchCase{{"a.png", "-THUMB"}, false, TStartTool::None, true, 2}));

TEST(CommandLine, RelativeNamesResolvedAgainstStartFolder) {
  TCommandLine cl = ParseCommandLine({"a.png", "/abs/b.png", "sub/c.png"}, "/start/here");
  EXPECT_EQ(cl.FileCandidates, (Args{"/start/here/a.png", "/abs/b.png", "/start/here/sub/c.png"}));
}

TEST(CommandLine, FilesToOpenAreTheFirstTenValidOnes) {
  TempFolder folder;
  Args args;
  for (int i = 1; i <= 12; ++i)
    args.push_back(folder.Write("img" + std::to_string(i) + ".bmp", "x"));
  auto files = FilesToOpen(ParseCommandLine(args, "/"), [](const std::string&) { return true; });
  EXPECT_EQ(files, Args(args.begin(), args.begin() + 10));
  // Switches, folders, missing files and invalid images are skipped.
  std::string good = folder.Write("good.png", "x");
  std::string bad = folder.Write("bad.png", "x");
  args = {"-CLIP", folder.Path, good, folder / "missing.png", bad, good};
  files = FilesToOpen(ParseCommandLine(args, folder.Path),
                      [&](const std::string& name) { return name != bad; });
  EXPECT_EQ(files, (Args{good, good}));
}

}  // namespace

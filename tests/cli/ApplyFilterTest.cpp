// lumarte-cli apply with a standard filter gives the model's pixels.
#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/cli/Commands.h"
#include "effects/model/EffectTable.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::effects;
namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int RunCli(const std::vector<std::string>& args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  int status = cli::Run(args, out, err);
  std::fclose(out);
  std::fclose(err);
  return status;
}

struct FilterCliCase {
  std::string effect;
  std::vector<std::string> values;
};

class ApplyFilter : public ::testing::TestWithParam<FilterCliCase> {};

}  // namespace

TEST_P(ApplyFilter, PpmOutputEqualsModelResult) {
  const FilterCliCase& c = GetParam();
  lumarte::fixtures::TempFolder temp;
  const std::string dir = temp.Path.string();
  const int w = 7, h = 5;
  TBitmap src(w, h);
  std::string ppm = "P6\n7 5\n255\n";
  uint32_t s = 3;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t rgb[3];
      for (auto& v : rgb) v = static_cast<uint8_t>((s = s * 134775813u + 1) >> 24);
      ppm.append(reinterpret_cast<char*>(rgb), 3);
      src.SetPixel(x, y, RGBColor(rgb[0], rgb[1], rgb[2]));
    }
  std::ofstream(fs::path(dir) / "in.ppm", std::ios::binary) << ppm;

  std::vector<std::string> args = {"apply", dir + "/in.ppm", dir + "/out.ppm", c.effect};
  args.insert(args.end(), c.values.begin(), c.values.end());
  ASSERT_EQ(RunCli(args), 0);

  const EffectRow& row = *FindEffect(c.effect);
  ParamValues values;
  for (const auto& v : c.values) ParseParam(row, v, values);
  TSelectionClass nothing;
  TSelectionTest all(nothing, src, {});
  NullProgress progress;
  TBitmap expected = row.Run(EffectInput{src, all, progress}, values, 0);
  std::string want = "P6\n7 5\n255\n";
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = expected.ScanLine(y) + 3 * x;
      want += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0])};
    }
  EXPECT_EQ(Slurp(fs::path(dir) / "out.ppm"), want);
  EXPECT_NE(want, ppm) << "the filter changed something";
}

INSTANTIATE_TEST_SUITE_P(
    Filters, ApplyFilter,
    ::testing::Values(FilterCliCase{"simple-sharpen", {}}, FilterCliCase{"red-wax", {}},
                      FilterCliCase{"moving-average-unsharpen-and-edge-detection",
                                    {"width=2", "mode=as-high-pass-normalized"}},
                      FilterCliCase{"motion-blur", {"speed=5", "direction=1.2"}},
                      FilterCliCase{
                          "sharpen",
                          {"intensity=8", "recursive-stronger-sharpening-but-color-changes=1"}},
                      FilterCliCase{"red-eye-removal", {}},
                      FilterCliCase{"buttonize-posterize", {"border-size=2", "posterize=1"}},
                      FilterCliCase{"write", {"text=Hi\nyo", "bitmap-font=1", "size=8",
                                              "alignment=right"}}),
    [](const auto& info) { return std::to_string(info.index); });

// lumarte-cli apply write draws with the system's fonts, without a display.
#include "CliFixture.h"

namespace lumarte {

namespace {

// Pixels of the picture in exactly this colour.
int Count(TRevedBitmap& b, uint8_t r, uint8_t g, uint8_t bl) {
  int n = 0;
  for (int y = 0; y < b.Height; ++y)
    for (int x = 0; x < b.Width; ++x) {
      const uint8_t* p = b.ScanLine(y) + 3 * x;
      n += p[0] == bl && p[1] == g && p[2] == r;
    }
  return n;
}

}  // namespace

TEST_F(Cli, ApplyWriteDrawsTextInTheForegroundColour) {
  TRevedBitmap in;
  in.New(90, 40, pf24bit);
  std::fill(in.Map.get(), in.Map.get() + in.Size, uint8_t{255});
  in.SaveToFile(Path("in.bmp"));
  ASSERT_EQ(Run({"apply", Path("in.bmp"), Path("out.bmp"), "write", "text=Hello",
                 "font=DejaVu Sans", "size=14", "left=4", "top=3", "--fg", "1040C0"}),
            0)
      << Err;
  TRevedBitmap out;
  out.LoadFromFile(Path("out.bmp"));
  EXPECT_GT(Count(out, 0x10, 0x40, 0xC0), 20);
  EXPECT_GT(Count(out, 255, 255, 255), 90 * 40 / 2);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 90; ++x) ASSERT_EQ(out.ScanLine(y)[3 * x], 255) << "nothing above Top";
}

TEST_F(Cli, ApplyWriteWithEmptyTextLeavesTheImage) {
  TRevedBitmap in = MakeColour("in.bmp", 9, 6);
  ASSERT_EQ(Run({"apply", Path("in.bmp"), Path("out.bmp"), "write", "text=", "size=30"}), 0) << Err;
  TRevedBitmap out;
  out.LoadFromFile(Path("out.bmp"));
  ASSERT_EQ(out.Size, in.Size);
  EXPECT_TRUE(std::equal(in.Map.get(), in.Map.get() + in.Size, out.Map.get()));
}

TEST_F(Cli, ApplyWriteRefusesAnUnknownFont) {
  MakeColour("in.bmp");
  EXPECT_EQ(Run({"apply", Path("in.bmp"), Path("out.bmp"), "write", "text=Hi",
                 "font=No Such Family Here"}),
            1);
  EXPECT_NE(Err.find("No font \"No Such Family Here\" is installed"), std::string::npos) << Err;
  EXPECT_FALSE(fs::exists(Path("out.bmp")));
}

}  // namespace lumarte

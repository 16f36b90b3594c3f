#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "editor/model/PrintCommand.h"
#include "editor/model/PrintLayout.h"
#include "support/QuietDocumentHost.h"
#include "support/ScriptedPrintQuestions.h"

using namespace lumarte::editor;

namespace {

struct LayoutCase {
  const char* Name;
  int PageW, PageH, ImageW, ImageH;
  int TargetW, TargetH;
  THorizontalAlign H;
  TVerticalAlign V;
  TPrintRect Expected;
};

class PrintLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PrintLayout, PlacesTheImage) {
  const LayoutCase& c = GetParam();
  TPrintOptions o;
  o.TargetWidth = c.TargetW;
  o.TargetHeight = c.TargetH;
  o.Horizontal = c.H;
  o.Vertical = c.V;
  EXPECT_EQ(PrintRectangle(c.PageW, c.PageH, c.ImageW, c.ImageH, o), c.Expected);
}

using HA = THorizontalAlign;
using VA = TVerticalAlign;
INSTANTIATE_TEST_SUITE_P(
    Cases, PrintLayout,
    ::testing::Values(
        // Enlarged until the box's width is reached; 2:1 kept.
        LayoutCase{"SmallWideEnlarged", 4000, 6000, 100, 50, 100, 100, HA::Left, VA::Top,
                   {0, 0, 4000, 2000}},
        // Enlarged to the page height, centred: touches top and bottom.
        LayoutCase{"SmallTallCentred", 4000, 6000, 50, 100, 100, 100, HA::Center, VA::Middle,
                   {500, 0, 3500, 6000}},
        LayoutCase{"LargeReducedRightBottom", 4000, 6000, 8000, 3000, 50, 50, HA::Right,
                   VA::Bottom, {2000, 5250, 4000, 6000}},
        // Both reductions apply; 285.71 and 714.29 are truncated, not rounded.
        LayoutCase{"EdgesTruncated", 1000, 1000, 3000, 7000, 100, 100, HA::Center, VA::Middle,
                   {285, 0, 714, 1000}},
        // The box 2187.5 rounds to 2188 for the fit; the overshoot is cut back.
        LayoutCase{"RoundedBoxCutBack", 4375, 10000, 10, 10, 50, 100, HA::Left, VA::Top,
                   {0, 0, 2187, 2187}},
        LayoutCase{"ZeroWidthTarget", 4000, 6000, 100, 50, 0, 100, HA::Center, VA::Middle,
                   {2000, 3000, 2000, 3000}},
        // 25000 * 100000 does not fit 32 bits.
        LayoutCase{"WidePageNoOverflow", 30000, 40000, 25000, 10000, 100, 100, HA::Left,
                   VA::Top, {0, 0, 30000, 12000}},
        LayoutCase{"EmptyImage", 4000, 6000, 0, 0, 100, 100, HA::Center, VA::Middle, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Records the calls the command makes; drawing fails for chosen images.
class RecordingPrinter : public TPrinterPort {
 public:
  std::vector<std::string> Calls;
  std::vector<int> FailingWidths;
  void SetOrientation(bool landscape) override {
    Calls.push_back(landscape ? "landscape" : "portrait");
  }
  void SetCopies(int copies) override { Calls.push_back("copies " + std::to_string(copies)); }
  int PageWidth() const override { return 1000; }
  int PageHeight() const override { return 2000; }
  void BeginDoc() override { Calls.push_back("begin"); }
  void NewPage() override { Calls.push_back("page"); }
  void EndDoc() override { Calls.push_back("end"); }
  void StretchDraw(const TBitmap& raster, const TPrintRect&) override {
    for (int w : FailingWidths)
      if (raster.Width() == w) throw std::runtime_error("toner");
    Calls.push_back("draw " + std::to_string(raster.Width()));
  }
};

class PrintCommand : public ::testing::Test {
 protected:
  QuietHost Host;
  DocumentList Docs{Host};
  RecordingPrinter Printer;
  ScriptedPrintQuestions Questions;
  // Widths 30, 20, 10 in list order.
  void OpenThree() {
    for (int w : {10, 20, 30}) Docs.NewImage(w, 5);
  }
};

TEST_F(PrintCommand, AllImagesOnePagePerImageInListOrder) {
  OpenThree();
  Questions.Options->PrintAll = true;
  Questions.Options->Landscape = true;
  Questions.Options->Copies = 3;
  RunPrintCommand(Docs, Questions, Printer);
  EXPECT_EQ(Printer.Calls,
            (std::vector<std::string>{"landscape", "copies 3", "begin", "draw 30", "page",
                                      "draw 20", "page", "draw 10", "end"}));
}

TEST_F(PrintCommand, NothingHappensWhenCancelledOrNothingIsOpen) {
  RunPrintCommand(Docs, Questions, Printer);  // only the placeholder
  EXPECT_EQ(Printer.Calls, (std::vector<std::string>{"portrait", "copies 1"}));
  OpenThree();
  for (bool optionsCancelled : {true, false}) {
    Printer.Calls.clear();
    ScriptedPrintQuestions cancelled;
    if (optionsCancelled) cancelled.Options.reset();
    cancelled.PrinterChosen = false;
    RunPrintCommand(Docs, cancelled, Printer);
    EXPECT_TRUE(Printer.Calls.empty());
  }
}

TEST_F(PrintCommand, FailedDrawingKeepsItsPageBreakAndEndsTheDocument) {
  OpenThree();
  Questions.Options->PrintAll = true;
  Printer.FailingWidths = {20};
  EXPECT_THROW(RunPrintCommand(Docs, Questions, Printer), std::runtime_error);
  EXPECT_EQ(Printer.Calls, (std::vector<std::string>{"portrait", "copies 1", "begin", "draw 30",
                                                     "page", "page", "end"}));
  EXPECT_EQ(Docs.Current().Bitmap->Width(), 30);
}

}  // namespace

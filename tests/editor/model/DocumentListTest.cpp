#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include <vector>

#include "editor/model/DocumentList.h"
#include "support/TempFolder.h"

using namespace lumarte;
using namespace lumarte::editor;

namespace {

// A window stand-in that answers the save prompt and records what was asked.
class FakeHost : public DocumentHost {
 public:
  std::vector<TSaveChangedAnswer> Answers;
  std::vector<std::string> Recent;
  int Saves = 0, SaveAs = 0, Opens = 0, Refreshes = 0;
  TSaveChangedAnswer AskSaveChanged() override {
    auto a = Answers.empty() ? TSaveChangedAnswer::DontSave : Answers.front();
    if (!Answers.empty()) Answers.erase(Answers.begin());
    return a;
  }
  void SaveCurrent() override { ++Saves; }
  void SaveCurrentAs() override { ++SaveAs; }
  void OpenIntoFreeSlot() override { ++Opens; }
  void AddRecentFile(const std::string& f) override { Recent.push_back(f); }
  void DocumentRefreshed(int) override { ++Refreshes; }
};

// Each edit paints pixel (0,0) with the edit number so states can be told apart.
void Edit(DocumentList& list, int n) {
  list.PushUndo();
  list.Current().Bitmap->SetPixel(0, 0, static_cast<TColor>(n));
  list.Current().Modified = true;
}

TColor State(const DocumentList& list) {
  return list.Current().Bitmap->Pixel(0, 0);
}

class DocumentListTest : public ::testing::Test {
 protected:
  FakeHost host;
  DocumentList list{host};
  void SetUp() override { list.SetPlaceholder(TBitmap(3, 3)); }
};

}  // namespace

TEST_F(DocumentListTest, UndoRedoRoundTripAndRedoLoss) {
  list.NewImage(4, 4);
  Edit(list, 1);
  Edit(list, 2);
  TBitmap before = *list.Current().Bitmap;
  list.LMUndo1Click();
  EXPECT_EQ(State(list), 1u);
  list.LMRedo1Click();
  EXPECT_EQ(*list.Current().Bitmap, before);
  EXPECT_FALSE(list.RedoEnabled);
  EXPECT_EQ(list.Current().Undo[1]->Pixel(0, 0), 1u);
  list.LMUndo1Click();
  Edit(list, 3);  // an edit after undo drops the redo level
  EXPECT_FALSE(list.Current().Redo);
  EXPECT_FALSE(list.RedoEnabled);
}

struct DepthCase {
  int w, h, depth;
};

class UndoMemoryRule : public DocumentListTest, public ::testing::WithParamInterface<DepthCase> {};

// Each undo step gives back the state before it, down to the depth the
// image's size allows; then Undo is disabled.
TEST_P(UndoMemoryRule, DepthByPixelCount) {
  auto [w, h, depth] = GetParam();
  list.NewImage(w, h);
  for (int i = 1; i <= 10; ++i) Edit(list, i);
  EXPECT_EQ(list.Current().UndoDepth(), depth);
  for (int i = 9; i > 9 - depth; --i) {
    ASSERT_TRUE(list.UndoEnabled);
    list.LMUndo1Click();
    EXPECT_EQ(State(list), static_cast<TColor>(i));
  }
  EXPECT_FALSE(list.UndoEnabled);
  EXPECT_TRUE(list.RedoEnabled);
}

INSTANTIATE_TEST_SUITE_P(Sizes, UndoMemoryRule,
                         ::testing::Values(DepthCase{1000, 1000, 9}, DepthCase{2000, 1000, 3},
                                           DepthCase{2000, 2000, 1}));

// After three edits Undo[1..3] hold states 2, 1 and white; after an undo
// Redo holds 3 and Undo[1..3] 1 and white. Picking state 1 either way leaves
// 3, 2, 1 behind it and no redo level.
TEST_F(DocumentListTest, HistoryPickMovesThePickedStateToTheFront) {
  for (bool undoFirst : {false, true}) {
    list.NewImage(2, 2);
    for (int i = 1; i <= 3; ++i) Edit(list, i);
    if (undoFirst) list.LMUndo1Click();
    list.HistoryPick(undoFirst ? 2 : 3);
    const TBM& d = list.Current();
    EXPECT_EQ(State(list), 1u) << undoFirst;
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(d.Undo[k]->Pixel(0, 0), TColor(4 - k)) << undoFirst;
    EXPECT_NE(d.Undo[3].get(), d.Bitmap.get());
    EXPECT_FALSE(d.Redo);
    list.HistoryPick(9);  // an absent level does nothing
    EXPECT_EQ(State(list), 1u);
  }
}

TEST_F(DocumentListTest, TenImagesRefuseMore) {
  for (int i = 0; i < 10; ++i) list.NewImage(i + 1, 1);
  EXPECT_EQ(list.Slot(9).Bitmap->Width(), 1);
  EXPECT_EQ(list.Current().Bitmap->Width(), 10);
  TBitmap clip(5, 5);
  for (const auto& f : std::vector<std::function<void()>>{
           [&] { list.NewImage(3, 3); }, [&] { list.PasteAsNew(&clip); },
           [&] { list.LMMoveto1Click(); }, [&] { list.NewDocumentSlot(); }}) {
    EXPECT_EQ(Message(f), kTooManyImages);
  }
  EXPECT_EQ(list.Current().Bitmap->Width(), 10);
  EXPECT_EQ(list.Slot(9).Bitmap->Width(), 1);
}

TEST_F(DocumentListTest, PasteAsNew) {
  EXPECT_EQ(Message([&] { list.PasteAsNew(nullptr); }), "Nothing on Clipboard!");
  EXPECT_FALSE(list.Current().InUse);
  TBitmap clip(7, 2);
  list.PasteAsNew(&clip);
  EXPECT_EQ(list.Current().FileName, "New");
  EXPECT_EQ(list.Current().JpegQuality, 50);
  EXPECT_FALSE(list.Current().Modified);
  EXPECT_TRUE(list.Current().NeedsSaveAs);
}

TEST_F(DocumentListTest, SwitchExchangesSlots) {
  list.NewImage(1, 1);
  list.NewImage(2, 2);
  list.SwitchTo(1);
  EXPECT_EQ(list.Current().Bitmap->Width(), 1);
  EXPECT_EQ(list.Current().Slot, 0);
  EXPECT_EQ(list.Slot(1).Slot, 1);
  list.SwitchTo(5);
  EXPECT_EQ(host.Opens, 1);
}

TEST_F(DocumentListTest, MoveToCopiesIntoFirstFreeSlot) {
  list.NewImage(3, 1);
  list.LMMoveto1Click();
  EXPECT_TRUE(list.Slot(1).InUse);
  EXPECT_TRUE(list.Slot(1).Modified);
  EXPECT_EQ(list.Slot(1).Bitmap->Width(), 3);
  EXPECT_NE(list.Slot(1).Bitmap.get(), list.Current().Bitmap.get());
}

TEST_F(DocumentListTest, CloseAllStopsAtCancel) {
  list.NewImage(1, 1);
  list.NewImage(2, 2);
  list.Current().Modified = true;
  list.Slot(1).Modified = true;
  host.Answers = {TSaveChangedAnswer::DontSave, TSaveChangedAnswer::Cancel};
  EXPECT_EQ(Message([&] { list.LMCloseAll1Click(); }), "Operation Cancelled.");
  EXPECT_TRUE(list.Cancelled);
  EXPECT_TRUE(list.Current().InUse);
  EXPECT_EQ(list.Current().Bitmap->Width(), 1);
}

TEST_F(DocumentListTest, ClosingLastImageShowsPlaceholder) {
  lumarte::fixtures::TempFolder folder;
  const std::string file = folder.Write("close.bmp", "x");
  list.NewImage(5, 5);
  list.Current().FileName = file;
  list.Current().Modified = true;
  host.Answers = {TSaveChangedAnswer::Save};
  list.LMClose1Click();
  EXPECT_EQ(host.Saves, 1);
  EXPECT_EQ(host.Recent, std::vector<std::string>{file});
  EXPECT_FALSE(list.Current().InUse);
  EXPECT_EQ(*list.Current().Bitmap, list.Placeholder());
  auto menu = list.ImagesMenu();
  EXPECT_EQ(menu[0].Caption, "no name");
  EXPECT_FALSE(menu[1].Visible);
}

TEST_F(DocumentListTest, HistoryHintsAndZoomRule) {
  list.NewImage(1500, 10);
  list.ZoomFactor = 2.0;
  Edit(list, 1);
  EXPECT_EQ(list.HistoryHint(2), "UNDO 1");
  EXPECT_EQ(list.HistoryHint(1), "no pic");
  list.LMUndo1Click();
  EXPECT_EQ(list.ZoomFactor, 1.0);
  EXPECT_EQ(list.HistoryHint(1), "REDO");
}

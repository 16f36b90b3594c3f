// Web names, HTML name completion, set files and the undo of a run.
#include "GalleryFixture.h"
#include "gallery/model/SetFile.h"

namespace lumarte::gallery {
namespace {

TEST(WebNames, AreFormedAndCompletedWhenShown) {
  const struct {
    const char *Given, *Web, *Shown;
  } cases[] = {{"My Holiday%20Pic.png", "My_Holiday_Pic.jpg", "My_Holiday_Pic.jpg"},
               {"x.gif", "x.gif", "x.gif.jpg"},
               {"A.BMP", "A.jpg", "A.jpg"},
               {"100%.JPEG", "100_.JPEG", "100_.JPEG"}};
  for (const auto& c : cases) {
    EXPECT_EQ(WebName(c.Given), c.Web);
    EXPECT_EQ(ShownName(c.Web), c.Shown);
  }
}

TEST(HtmlFileNames, AreCompletedAndMadeRelativeToTheFolder) {
  for (auto [given, want] : {std::pair{"gal", "gal.html"}, {"gal.", "gal.html"}, {" gal.ht ", "gal.html"},
                             {"gal.htm", "gal.htm"}, {"", ""}})
    EXPECT_EQ(CompleteHtmlFileName(given), want) << given;
  EXPECT_EQ(HtmlFileInFolder("/home/u/site", "/home/u/site/sub/Gal.htm"), "sub/Gal.html");
  EXPECT_EQ(Message([] { HtmlFileInFolder("/home/u/site", "/tmp/g.html"); }),
            "File must be in the HTML directory.");
}

using SetFiles = GalleryTest;

TEST_F(SetFiles, StartWithTheLastEntryAndRoundTrip) {
  AddPictures(3);
  Project.Entries[1].Description = "two\r\nlines";
  Project.Entries[2].Hint = "h";
  const std::string text = WriteSetText(Project.Entries);
  EXPECT_EQ(text.rfind("<#THUMB2FileName#>" + Project.Entries[2].FileName + "<#THUMB2FileNameEND#>", 0), 0u);
  EXPECT_TRUE(text.ends_with("<#THUMB0Description#><#THUMB0DescriptionEND#>\r\n"));
  GalleryProject back;
  EXPECT_EQ(ReadSetText(back, text), 3u);
  ASSERT_EQ(back.Entries.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(back.Entries[i].FileName, Project.Entries[i].FileName);
    EXPECT_EQ(back.Entries[i].Description, Project.Entries[i].Description);
    EXPECT_EQ(back.Entries[i].Hint, Project.Entries[i].Hint);
  }
}

TEST_F(SetFiles, SkipARejectedRecordWholeAndDropFolderParts) {
  AddPictures(2);
  Project.Entries[0].FileName = Temp.File("src/missing.jpg");
  Project.Entries[0].Hint = "lost";
  Project.Entries[1].Name = "../../etc/evil.jpg";
  GalleryProject back;
  EXPECT_EQ(ReadSetText(back, WriteSetText(Project.Entries)), 1u);
  ASSERT_EQ(back.Entries.size(), 1u);
  EXPECT_EQ(back.Entries[0].Hint, "");
  EXPECT_EQ(back.Entries[0].Name, "evil.jpg");
}

using Undo = GalleryTest;

TEST_F(Undo, AFileWrittenTwiceInARunComesBackAsItWasBefore) {
  Temp.Write("site/images/same.jpg", "before");
  AddPictures(2);
  Project.Entries[0].Name = Project.Entries[1].Name = "same.jpg";
  Run();
  EXPECT_EQ(Project.Undo.BackupFiles.size(), 1u);  // only what was there before the run
  Project.Undo.Undo();
  EXPECT_EQ(Site("images/same.jpg"), "before");
  EXPECT_FALSE(std::filesystem::exists(Temp.File("site/images/same_th.jpg")));
}

TEST_F(Undo, AbortBeforeTheFirstImageHasNothingToUndo) {
  AddPictures(2);
  Progress.AbortAt = 2;
  EXPECT_EQ(Message([&] { Run(); }), "Nothing there to undo!");
}

TEST_F(Undo, AbortDuringThumbnailsTakesTheRunBack) {
  AddPictures(3);
  Progress.AbortAt = 6;  // after start, three copies, first thumbnail
  EXPECT_EQ(Message([&] { Run(); }), "Thumbnail Creation aborted and undone.");
  EXPECT_TRUE(std::filesystem::is_empty(Temp.File("site/images")));
  EXPECT_EQ(Progress.Reports[3].Text, "Thumbnail Creator: Copying Images. 2 of 3");
  EXPECT_EQ(Progress.Reports[5].Text, "Thumbnail Creator: Create Thumbs. 1 of 3");
}

TEST_F(Undo, ASecondRunMayRemoveTheFirst) {
  AddPictures(1);
  Run();
  Project.Entries[0].Name = "renamed.jpg";
  Answers.RemovePrevious = true;
  Run();
  EXPECT_FALSE(std::filesystem::exists(Temp.File("site/images/p0.jpg")));
  EXPECT_TRUE(std::filesystem::exists(Temp.File("site/images/renamed.jpg")));
}

}  // namespace
}  // namespace lumarte::gallery

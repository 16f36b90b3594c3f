// Template parameters, the colour list, placeholders and the template steps of a run.
#include "GalleryFixture.h"
#include "gallery/model/ColourList.h"
#include "gallery/model/Templates.h"

namespace lumarte::gallery {
namespace {

TEST(TemplateParameters, ComeFromAskLinesWithTheirDefaults) {
  const auto t = ReadTemplateParameters({"ASKSTRING=Title", "ASKDEFAULT=My Pictures", "ASKCOLOR=Background"});
  EXPECT_EQ(t.Count, 2);
  EXPECT_EQ(t.Names[0], "Title");
  EXPECT_EQ(t.Defaults[0], "My Pictures");
  EXPECT_EQ(t.Names[1], "Background");
  EXPECT_TRUE(t.IsColour[1]);
  EXPECT_FALSE(t.HasDefault[1]);
}

TEST(ColourItems, GiveQuotedParametersAndKeepTheTwoOddTexts) {
  const auto& list = ColourList();
  EXPECT_EQ(ColourParameter("navy = #000080 "), "\"navy\"");
  EXPECT_EQ(ColourParameter("aliceblue  #F0F8FF "), "\"#F0F8FF\"");
  EXPECT_NE(std::find(list.begin(), list.end(), "mediumpurple  #9370D "), list.end());
  EXPECT_EQ(list.back(), "");
  EXPECT_EQ(ColourOfItem("mediumpurple  #9370D "), 0x00D07093u);
}

TEST(TemplateSettings, ApplyInOrderAndStopAtANonIntegerNamingTheKey) {
  TGallerySettings s;
  EXPECT_EQ(Message([&] {
              ApplyTemplateSettings({"STYLE=list", "TABLETDVALIGN=bottom", "TABLEROWS=4",
                                     "TABLECOLS=four", "LISTROWS=9"}, s);
            }),
            "'four' is not a valid integer value (template key TABLECOLS)");
  EXPECT_EQ(s.Style, TGalleryStyle::List);
  EXPECT_EQ(s.Table.TDVAlign, TVAlign::Bottom);
  EXPECT_EQ(s.Rows, 4);
  EXPECT_EQ(s.ListRows, 20);
}

TEST(Placeholders, AreReplacedOnceEachAndNeverLoop) {
  TPlaceholderValues v;
  v.ThumbWidth = "113";
  v.ParameterNames[0] = "Title";
  v.ParameterValues[0] = "<!!replaceWithTitle!!> again";
  EXPECT_EQ(SubstitutePlaceholders("<!!replaceWithTitle!!>|<!!replaceWithThumbWidth!!>|<!!replaceWithTitle!!>", v),
            "<!!replaceWithTitle!!> again|113|<!!replaceWithTitle!!> again");
}

class TemplateRun : public GalleryTest {
 protected:
  void SetUp() override {
    GalleryTest::SetUp();
    Project.Settings.TemplateName = "T";
    Project.Settings.ParameterNames[0] = "Title";
    Project.Settings.ParameterValues[0] = "Trip";
    Program("Templates/T.html", "<title><!!replaceWithTitle!!></title><!- !ThumbnailCreatorAddHere! -></body>");
    Program("Templates/idx.html", "<a href=\"<!!replaceWithGalleryFile!!>\"><!!replaceWithThumbWidth!!></a>");
    Program("Templates/s.css", "h1 { <!!replaceWithTitle!!> }");
    Program("Templates/note.html", "<!!replaceWithTitle!!>");
  }
};

TEST_F(TemplateRun, IndexModeWritesTheIndexAndCopiesWithSubstitutionOnlyForHtml) {
  Program("Templates/T.tpl", "INDEXISNOTGALLERY=true\r\nINDEXFILE=idx.html\r\nCOPY s.css TO css/s.css\r\n"
                             "COPY note.html TO note.html\r\nCOPY s.css TO ../out.css\r\nCOPY gone.css TO g.css\r\n");
  AddPictures(1);
  const TGalleryRunResult r = Run();
  EXPECT_EQ(r.OpenFile, Temp.File("site/gallery.html"));
  EXPECT_EQ(Site("gallery.html"), "<a href=\"gallery_gallery.html\">113</a>");
  EXPECT_TRUE(Site("gallery_gallery.html").starts_with("<title>Trip</title><!- !ThumbnailCreatorAddHere! ->\r\n"));
  EXPECT_EQ(Site("css/s.css"), "h1 { <!!replaceWithTitle!!> }");
  EXPECT_EQ(Site("note.html"), "Trip");
  EXPECT_FALSE(std::filesystem::exists(Temp.File("out.css")));
  EXPECT_EQ(Answers.Notes.size(), 1u);
  Project.Undo.Undo();
  EXPECT_FALSE(std::filesystem::exists(Temp.File("site/gallery_gallery.html")));
}

TEST_F(TemplateRun, TemplateWithoutTplWritesNoTemplatePage) {
  AddPictures(1);
  Run();
  EXPECT_EQ(Site("gallery.html").find("<title>"), std::string::npos);
}

class ShippedTemplates : public GalleryTest, public ::testing::WithParamInterface<const char*> {};

// Every placeholder of a shipped template is one of its parameters, and its
// style sheet arrives beside the pages.
TEST_P(ShippedTemplates, LeaveNoPlaceholderBehind) {
  TGallerySettings& s = Project.Settings;
  s.ProgramFolder = LUMARTE_TEST_DATA "/../../data";
  s.TemplateName = GetParam();
  const auto lines = SplitLines(ReadWholeFile(TemplateFolder(s) + GetParam() + ".tpl"));
  ApplyTemplateSettings(lines, s);
  const TTemplateParameters t = ReadTemplateParameters(lines);
  for (int k = 0; k < 8; ++k) {
    s.ParameterNames[k] = t.Names[k];
    s.ParameterValues[k] = t.Defaults[k];
  }
  AddPictures(30);
  Run();
  size_t pages = 0, sheets = 0;
  for (const auto& f : std::filesystem::directory_iterator(Temp.File("site"))) {
    if (f.path().extension() == ".css") ++sheets;
    if (f.path().extension() != ".html") continue;
    ++pages;
    EXPECT_EQ(ReadWholeFile(f.path().string()).find("<!!replace"), std::string::npos) << f.path();
  }
  EXPECT_GE(pages, 2u);
  EXPECT_EQ(sheets, 1u);
}

INSTANTIATE_TEST_SUITE_P(Gallery, ShippedTemplates, ::testing::Values("LightTable", "DarkTable", "IndexPage"));

}  // namespace
}  // namespace lumarte::gallery

// Whole generated pages against texts built from the page format's literals.
#include <map>

#include "GalleryFixture.h"

namespace lumarte::gallery {
namespace {

const std::string kSkeleton = "<html><body>\r\n</body></html>";

std::string N(int i) { return std::to_string(i); }

std::string Cell(int i) {
  return "<td width=\"20%\"  align=\"center\" valign=\"middle\"> <a href=\"images/p" + N(i) +
         ".jpg\"  >\r\n <img src=\"images/p" + N(i) + "_th.jpg\" Width=\"20\" Height=\"10\" alt=\"\" ></a> \r\n<br> \r\n</td>\r\n";
}

std::string Item(int i, const std::string& thumb) {
  return "<li > <a href=\"images/p" + N(i) + ".jpg\"  >\r\n <img src=\"images/p" + N(i) + thumb +
         "\" Width=\"20\" Height=\"10\" alt=\"\" > \r\n </a> <br> \r\n</li>\r\n";
}

std::string Nav(const std::string& prev, const std::string& next) {
  if (prev.empty() && next.empty()) return "\r\n";
  std::string nav = "\r\n\r\n<p><b>";
  if (!prev.empty()) nav += "<a href=\"" + prev + "\"> Previous </a> &nbsp;";
  if (!next.empty()) nav += "<a href=\"" + next + "\"> Next </a> &nbsp;";
  return nav + "\r\n</b></p>\r\n\r\n";
}

std::string Page(const std::string& chunk) {
  return "<html><body>\r\n\r\n" + chunk + "\r\n</body></html>\r\n\r\n";
}

std::string Table(int from, int to, int cells) {
  std::string t = "\r\n<table Border=\"0\"  > <tr >\r\n";
  for (int c = 0; c < cells; ++c) {
    if (c > 0 && c % 5 == 0) t += from + c < to ? "\r\n</tr><tr >\r\n" : "\r\n</tr><tr>\r\n";
    t += from + c < to ? Cell(from + c) : "<td > &nbsp; </td>";
  }
  return t;
}

class HtmlPages : public GalleryTest {
 protected:
  void SetUp() override {
    GalleryTest::SetUp();
    Program("Lumarte.dhf", kSkeleton);
  }
};

// Every file below root with its bytes ("/" for a folder).
std::map<std::string, std::string> Tree(const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& f : std::filesystem::recursive_directory_iterator(root))
    files[relative(f.path(), root)] = f.is_regular_file() ? ReadWholeFile(f.path().string()) : "/";
  return files;
}

// An existing page, not the program's skeleton, frames every page; undo
// takes the whole site back byte for byte.
TEST_F(HtmlPages, SeventeenImagesInThreeByFiveTablesMakeTwoPagesThatUndoTakesBack) {
  Program("Lumarte.dhf", "<p>not this skeleton</p>");
  Temp.Write("site/gallery.html", kSkeleton);
  Temp.Write("site/images/p3.jpg", std::string("an older\0\xff picture", 18));
  const auto before = Tree(Temp.Path / "site");
  AddPictures(17);
  Run();
  EXPECT_EQ(Site("gallery.html"),
            Page(Nav("", "gallery2.html") + "\r\n\r\n" + Table(0, 17, 15) + "\r\n</tr></table>\r\n\r\n"));
  EXPECT_EQ(Site("gallery2.html"),
            Page(Nav("gallery.html", "") + "\r\n\r\n" + Table(15, 17, 15) + "</tr></table>\r\n\r\n"));
  // The images folder, two pages, the copies and the thumbnails.
  EXPECT_EQ(Tree(Temp.Path / "site").size(), 3u + 2 * 17);
  Project.Undo.Undo();
  EXPECT_EQ(Tree(Temp.Path / "site"), before);
  EXPECT_EQ(Message([&] { Project.Undo.Undo(); }), "Nothing there to undo!");
}

TEST_F(HtmlPages, FifteenImagesFillOnePageWithoutLinks) {
  AddPictures(15);
  Run();
  EXPECT_EQ(Site("gallery.html"), Page(Nav("", "") + "\r\n\r\n" + Table(0, 15, 15) + "</tr></table>\r\n\r\n"));
  EXPECT_FALSE(std::filesystem::exists(Temp.File("site/gallery2.html")));
}

TEST_F(HtmlPages, ListOfFortyFiveInPagesOfTwentyClosesEveryList) {
  Project.Settings.Style = TGalleryStyle::List;
  AddPictures(45);
  Run();
  auto list = [](int from, int to) {
    std::string text = "\r\n\r\n\r\n<ul >\r\n";
    for (int i = from; i < to; ++i) text += Item(i, "_th.jpg");
    return text;
  };
  EXPECT_EQ(Site("gallery2.html"),
            Page(Nav("gallery.html", "gallery3.html") + list(20, 40) + "\r\n</ul>\r\n\r\n"));
  EXPECT_EQ(Site("gallery3.html"), Page(Nav("gallery2.html", "") + list(40, 45) + "</ul>\r\n\r\n\r\n"));
}

TEST_F(HtmlPages, GalleryInASubFolderClimbsOnceToTheImages) {
  Project.Settings.HTMLFile = "sub/gal.html";
  Project.Settings.Rows = 1;
  AddPictures(6);
  Run();
  const std::string first = Site("sub/gal.html"), second = Site("sub/gal2.html");
  EXPECT_NE(first.find("<a href=\"../images/p0.jpg\"  >\r\n <img src=\"../images/p0_th.jpg\""),
            std::string::npos);
  EXPECT_NE(first.find("<a href=\"gal2.html\"> Next </a>"), std::string::npos);
  EXPECT_NE(second.find("<a href=\"gal.html\"> Previous </a>"), std::string::npos);
  EXPECT_NE(second.find("\"../images/p5.jpg\""), std::string::npos);
}

TEST_F(HtmlPages, AddHereMarkerStaysSoASecondRunGoesInFrontOfTheFirst) {
  const std::string marker = "<!- !ThumbnailCreatorAddHere! ->";
  Temp.Write("site/gallery.html", "<p>top</p>" + marker + "<p>end</p>");
  AddPictures(2);
  Run();
  const std::string once = Site("gallery.html");
  const std::string chunk = Nav("", "") + "\r\n\r\n" + Table(0, 2, 15) + "</tr></table>\r\n\r\n";
  EXPECT_EQ(once, "<p>top</p>" + marker + "\r\n" + chunk + "\r\n<p>end</p>\r\n\r\n");
  Project.Settings.Table.CSSClass = "second";
  Run();
  const std::string twice = Site("gallery.html");
  const size_t second = twice.find("class=\"second\""), first = twice.find(chunk);
  EXPECT_EQ(twice.find(marker), 10u);
  EXPECT_LT(second, first);
  EXPECT_NE(first, std::string::npos);
}

TEST_F(HtmlPages, ImagesAsThumbnailsShowThePublishedImagesWithTheirSize) {
  Project.Settings.Style = TGalleryStyle::List;
  Project.Settings.ImagesAreThumbnails = true;
  AddPictures(2);
  Run();
  EXPECT_EQ(Site("gallery.html"),
            Page(Nav("", "") + "\r\n\r\n\r\n<ul >\r\n" + Item(0, ".jpg") + Item(1, ".jpg") + "</ul>\r\n\r\n\r\n"));
  EXPECT_FALSE(std::filesystem::exists(Temp.File("site/images/p0_th.jpg")));
}

TEST_F(HtmlPages, ParagraphsBreakPagesAfterListRowsEntries) {
  Project.Settings.Style = TGalleryStyle::Paragraph;
  Project.Settings.ListRows = 2;
  Project.Settings.Para.Align = THAlign::Right;
  AddPictures(3);
  Run();
  const std::string a = "<a href=\"images/p2.jpg\"  >\r\n <img src=\"images/p2_th.jpg\" Width=\"20\" Height=\"10\" alt=\"\" ></a> \r\n";
  EXPECT_EQ(Site("gallery2.html"), Page(Nav("gallery.html", "") + "\r\n\r\n<p align=\"Right\">\r\n" + a + "</p>\r\n\r\n\r\n"));
}

TEST_F(GalleryTest, RunErrorsStopBeforeWritingAnything) {
  AddPictures(1);
  const std::pair<std::function<void(GalleryProject&)>, const char*> cases[] = {
      {[](GalleryProject& p) { p.Entries.clear(); }, "No Pictures selected!"},
      {[](GalleryProject& p) { p.Settings.HTMLFile.clear(); },
       "No HTML-File selected! Please select a filename for the gallery. If the file "
       "exists, Lumarte will insert the gallery in the file, unless a template is used."},
      {[](GalleryProject& p) { p.Settings.HTMLDir = "/proc/no/such/dir"; },
       "This Directory can't be created!"}};
  for (const auto& [spoil, message] : cases) {
    GalleryProject project = Project;
    spoil(project);
    EXPECT_EQ(Message([&] { RunGallery(project, Progress, Answers); }), message);
  }
  EXPECT_FALSE(std::filesystem::exists(Temp.File("site")));
}

}  // namespace
}  // namespace lumarte::gallery

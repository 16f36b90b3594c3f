// A whole gallery built from generated files and taken back again.
#include <filesystem>
#include <map>
#include <regex>

#include "GalleryFixture.h"
#include "gallery/model/GalleryImages.h"

namespace lumarte::gallery {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& f : fs::recursive_directory_iterator(root))
    files[fs::relative(f.path(), root).string()] = f.is_regular_file() ? ReadWholeFile(f.path().string()) : "/";
  return files;
}

TEST_F(GalleryTest, SeventeenImagesMakeAGalleryThatUndoTakesBackExactly) {
  Program("Lumarte.dhf", "<html><body>\r\n</body></html>");
  Project.Settings.HTMLFile = "trip.html";
  fs::create_directories(Temp.File("site/images"));
  WriteWholeFile(Temp.File("site/trip.html"), "<body>mine</body>");
  WriteWholeFile(Temp.File("site/images/p3.jpg"), "an older picture");
  const auto before = Tree(Temp.Path / "site");
  AddPictures(17, 100, 80);
  Run();

  const auto after = Tree(Temp.Path / "site");
  EXPECT_EQ(after.size(), 2u + 2 * 17 + 1);  // images folder, two pages, copies and thumbnails
  for (int i = 0; i < 17; ++i) {
    const editor::TBitmap thumb = DecodeSource(Temp.File("site/images/p" + std::to_string(i) + "_th.jpg"));
    EXPECT_EQ(thumb.Width(), 70);
    EXPECT_EQ(thumb.Height(), 56);
    EXPECT_EQ(DecodeSource(Temp.File("site/images/p" + std::to_string(i) + ".jpg")).Width(), 100);
  }
  for (const char* page : {"trip.html", "trip2.html"}) {
    const std::string text = Site(page);
    EXPECT_TRUE(text.starts_with("<body>mine")) << page;  // the existing page is the skeleton
    const std::regex ref("(?:href|src)=\"([^\"]+)\"");
    int links = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), ref); it != std::sregex_iterator(); ++it, ++links)
      EXPECT_TRUE(fs::is_regular_file(Temp.File("site/" + (*it)[1].str()))) << (*it)[1];
    EXPECT_GT(links, 3) << page;
  }

  Project.Undo.Undo();
  EXPECT_EQ(Tree(Temp.Path / "site"), before);
}

}  // namespace
}  // namespace lumarte::gallery

// lumarte-cli gallery: a run, its undo from a later process, and bad usage.
#include "CliFixture.h"
#include "support/ScopedState.h"

namespace lumarte {
namespace {

class GalleryCli : public Cli {
 protected:
  // The undo record goes to the cache folder: keep it inside the test.
  fixtures::ScopedEnv Cache{"XDG_CACHE_HOME", Path("cache")};
};

TEST_F(GalleryCli, BuildsAGalleryAndUndoesItLater) {
  MakeColour("a.bmp", 100, 50);
  MakeColour("b c.png", 30, 60);
  fs::create_directories(Path("out"));
  WriteBytes("out/gallery.html", "<body>mine</body>");
  ASSERT_EQ(Run({"gallery", Path("out"), Path("a.bmp"), Path("b c.png"), "--style", "list",
                 "--width", "40", "--height", "40"}),
            0)
      << Err;
  EXPECT_EQ(Out, Path("out/gallery.html") + "\n");
  EXPECT_TRUE(fs::is_regular_file(Path("out/images/a.jpg")));
  EXPECT_TRUE(fs::is_regular_file(Path("out/images/b_c_th.jpg")));
  EXPECT_NE(FileBytes("out/gallery.html").find("Width=\"40\" Height=\"20\""), std::string::npos);
  ASSERT_EQ(Run({"gallery", Path("out"), "--undo"}), 0) << Err;
  EXPECT_EQ(FileBytes("out/gallery.html"), "<body>mine</body>");
  EXPECT_TRUE(fs::is_empty(Path("out/images")));
  EXPECT_EQ(Run({"gallery", Path("out"), "--undo"}), 1);
  EXPECT_EQ(Err, "lumarte-cli: Nothing there to undo!\n");
}

TEST_F(GalleryCli, RefusesBadUsage) {
  EXPECT_EQ(Run({"gallery", Path("out")}), 2);
  EXPECT_EQ(Run({"gallery", Path("out"), "x.jpg", "--rows", "0"}), 2);
  EXPECT_NE(Err.find("--rows takes a number from 1 to 99"), std::string::npos);
  EXPECT_EQ(Run({"gallery", Path("out"), Path("none.jpg")}), 1);
}

}  // namespace
}  // namespace lumarte

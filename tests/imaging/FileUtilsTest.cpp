#include <gtest/gtest.h>

#include <unistd.h>
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>

#include "imaging/FileUtils.h"
#include "imaging/MemUtils.h"

using namespace lumarte::imaging;

TEST(FileUtils, PathHelpers) {
  EXPECT_EQ(AddBackslash("/tmp"), "/tmp/");
  EXPECT_EQ(AddBackslash("/tmp/"), "/tmp/");
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(ExtractExt("dir.x/a.b.Png"), "Png");
  EXPECT_EQ(ExtractExt("dir.x/noext"), "");
  EXPECT_EQ(ProgramDirectory().back(), '/');
  EXPECT_TRUE(std::filesystem::exists(ProgramDirectory()));
}

// The pattern's extension matches in any case; hidden files and folders only
// when asked for. The orders of SortFiles are checked with the browser's keys.
TEST(FileUtils, FindFiles) {
  lumarte::fixtures::TempFolder temp;
  const auto& dir = temp.Path;
  std::filesystem::create_directories(dir / "sub.jpg");
  for (const char* name : {"b.JPG", "a.jpg", ".h.jpg", "d.png"}) std::ofstream(dir / name) << "x";
  auto files = FindFiles(dir.string() + "/*.jpg", 0);
  SortFiles(files, files.size(), 0);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].Name, "a.jpg");
  EXPECT_EQ(files[1].Name, "b.JPG");
  EXPECT_EQ(ListFileNames(dir.string() + "/*.jpg", faDirectory | faHidden).size(), 4u);
}

TEST(MemUtils, Searches) {
  const char data[] = "abcabd";
  EXPECT_EQ(FindByte(data, 6, 'c'), 2);
  EXPECT_EQ(FindByte(data, 6, 'z'), -1);
  EXPECT_EQ(FindWord(data, 6, 'a', 'b'), 0);
  EXPECT_EQ(FindWord(data, 6, 'b', 'd'), 4);
  EXPECT_EQ(FindWord(data, 5, 'b', 'd'), -1);
  EXPECT_EQ(SwapEndian32(0x11223344u), 0x44332211u);
}

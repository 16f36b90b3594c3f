#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"
#include "editor/model/ProgramPictures.h"
#include "editor/model/TempFiles.h"
#include "imaging/RevedBitmap.h"

using namespace lumarte::editor;
using lumarte::fixtures::TempFolder;

namespace {

struct SniffCase {
  std::string Head;
  const char* Ext;
};

class Sniff : public ::testing::TestWithParam<SniffCase> {};

TEST_P(Sniff, ExtensionFromFirstBytes) {
  EXPECT_EQ(SniffImageExtension(GetParam().Head), GetParam().Ext);
}

INSTANTIATE_TEST_SUITE_P(Heads, Sniff,
                         ::testing::Values(SniffCase{"BM\x36\x00", "BMP"},
                                           SniffCase{"\xFF\xD8\xFF\xE0", "JPG"},
                                           SniffCase{std::string("\x89PNG\r\n\x1A\n", 8), "PNG"},
                                           SniffCase{"GIF89a", "GIF"}, SniffCase{"GIF", ""},
                                           SniffCase{"B", ""}, SniffCase{"", ""},
                                           SniffCase{"\xFF\xD8", ""}, SniffCase{"hello", ""}));

TEST(ProgramPictures, UnreadableFilesGiveTheNeutralPicture) {
  TempFolder folder;
  const TBitmap neutral = NeutralPicture();
  EXPECT_FALSE(neutral.Empty());
  EXPECT_EQ(LoadProgramPicture(folder / "Lumarte.def"), neutral);
  EXPECT_EQ(LoadProgramPicture(folder.Write("text.def", "not a picture")), neutral);
  EXPECT_EQ(LoadProgramPicture(folder.Write("cut.def", "BM\x10")), neutral);
  EXPECT_EQ(LoadProgramPicture(folder.Path), neutral);
}

struct ShippedCase {
  const char* Name;
  int Width, Height;
};

class ShippedPicture : public ::testing::TestWithParam<ShippedCase> {};

// The program folder's pictures are 24-bit bitmaps of the expected size and
// load as such once a bitmap codec is registered.
TEST_P(ShippedPicture, IsA24BitBitmap) {
  std::string file = std::string(LUMARTE_TEST_DATA) + "/../../data/" + GetParam().Name;
  std::string bytes = TempFolder::Read(file);
  ASSERT_GE(bytes.size(), 54u) << file;
  auto le32 = [&](size_t at) {
    return static_cast<int32_t>(static_cast<uint8_t>(bytes[at]) |
                                static_cast<uint8_t>(bytes[at + 1]) << 8 |
                                static_cast<uint8_t>(bytes[at + 2]) << 16 |
                                static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24);
  };
  EXPECT_EQ(SniffImageExtension(bytes.substr(0, 8)), "BMP");
  EXPECT_EQ(le32(18), GetParam().Width);
  EXPECT_EQ(le32(22), GetParam().Height);
  EXPECT_EQ(bytes[28], 24);
  EXPECT_EQ(static_cast<size_t>(le32(2)), bytes.size());
  bool bmpCodec = false;
  for (int i = 0; i < lumarte::imaging::BitmapLoaders().Count(); ++i)
    bmpCodec |= lumarte::imaging::BitmapLoaders()[i]->CanLoad("BMP");
  if (!bmpCodec) GTEST_SKIP() << "no bitmap codec registered yet";
  TBitmap picture = LoadProgramPicture(file);
  EXPECT_EQ(picture.Width(), GetParam().Width);
  EXPECT_EQ(picture.Height(), GetParam().Height);
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedPicture,
                         ::testing::Values(ShippedCase{kDialogBackgroundFile, 256, 256},
                                           ShippedCase{kPlaceholderFile, 320, 240}));

TEST(TempFiles, NameDrawnAgainWhileTaken) {
  std::string tempDir = std::filesystem::temp_directory_path().string();
  std::vector<int> draws = {999998, 17, 42};
  // Occupy the first drawn name.
  std::string taken = tempDir + "/999998.lumarte-test";
  std::ofstream(taken) << "x";
  size_t next = 0;
  std::string name = TTempFiles::NewName(".lumarte-test", [&](int n) {
    EXPECT_EQ(n, 999999);
    return draws[next++];
  });
  std::filesystem::remove(taken);
  EXPECT_EQ(name, tempDir + "/17.lumarte-test");
}

TEST(TempFiles, DeleteAllRemovesExistingFiles) {
  TempFolder folder;
  TTempFiles temp;
  temp.Add(folder.Write("a.jpg", "x"));
  temp.Add(folder / "gone.jpg");
  temp.Add(folder.Write("b.jpg", "y"));
  temp.DeleteAll();
  EXPECT_TRUE(temp.List().empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path));
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>

#include "support/ScopedState.h"
#include "support/TempFolder.h"
#include "editor/model/ProgramPictures.h"
#include "editor/model/ProgramSettings.h"
#include "editor/model/ProgramState.h"
#include "editor/model/SettingsStore.h"

using namespace lumarte;
using namespace lumarte::editor;
using lumarte::fixtures::ScopedCurrentFolder;
using lumarte::fixtures::ScopedEnv;
using lumarte::fixtures::TempFolder;

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  TempFolder config;
  ScopedEnv xdg{"XDG_CONFIG_HOME", config.Path};
  ScopedCurrentFolder keepFolder;
  std::string StoreFile() const { return config / "Tarvex/Lumarte/Options"; }

  // Stores a settings table holding the given records.
  void Store(const std::vector<TElement>& records) {
    Qv_Database t = NewSettingsTable();
    for (const auto& r : records) t.AddRecord(r);
    t.SaveToStore(kSettingsKeyPath);
  }
  TSettings Loaded() {
    TSettings s;
    s.Load();
    return s;
  }
};

TEST_F(SettingsTest, StoreLocation) {
  EXPECT_EQ(StoreFileName("Software\\Tarvex\\Lumarte"), StoreFile());
  EXPECT_EQ(StoreFileName("Software\\..\\Tarvex\\.\\Lumarte\\"), StoreFile());
  ScopedEnv noXdg{"XDG_CONFIG_HOME", ""};
  ScopedEnv home{"HOME", "/home/someone"};
  EXPECT_EQ(StoreFileName(kSettingsKeyPath), "/home/someone/.config/Tarvex/Lumarte/Options");
  ScopedEnv relative{"XDG_CONFIG_HOME", "relative/dir"};
  EXPECT_EQ(ConfigHome(), "/home/someone/.config");
}

TEST_F(SettingsTest, StoredWithCRLFAndReadBack) {
  Store({{"X", "a value", "3", "TRUE"}});
  std::string text = TempFolder::Read(StoreFile());
  EXPECT_EQ(text.rfind("####TABLE####\r\nOptions\r\n1\r\n##FIELDS##\r\n4\r\n", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 31), "##ENDDATA##\r\n####ENDTABLE####\r\n");
  Qv_Database back;
  ASSERT_TRUE(back.LoadFromStore(kSettingsKeyPath));
  EXPECT_EQ(back.GetString(0, sfStringValue), "a value");
  // Only the finished file remains in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config / "Tarvex/Lumarte"),
                          std::filesystem::directory_iterator()),
            1);
}

// A stored table whose fields are not the settings' four.
std::string TableOfFields(std::vector<std::pair<const char*, TFieldType>> fields) {
  Qv_Database t("Options");
  for (size_t i = 0; i < fields.size(); ++i)
    t.AddField(static_cast<int>(i), fields[i].first, "", "", fields[i].second);
  std::string text;
  for (const std::string& line : t.SaveToStrings()) text += line + "\r\n";
  return text;
}

class UnusableStore : public SettingsTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(UnusableStore, GivesFreshTableWithDefaults) {
  config.Write("Tarvex/Lumarte/Options", GetParam());
  TSettings s = Loaded();
  EXPECT_TRUE(HasSettingsFields(s.Table));
  EXPECT_EQ(s.Table.RecordCount(), 12);
  EXPECT_EQ(s.Recent.NoOfRecentFiles, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UnusableStore,
    ::testing::Values("", "garbage\r\nmore garbage", "####TABLE####\r\nOptions\r\nlots\r\n",
                      TableOfFields({{"Option", ftString},
                                     {"StringValue", ftString},
                                     {"IntValue", ftInt}}),
                      TableOfFields({{"Option", ftString},
                                     {"IntValue", ftInt},
                                     {"StringValue", ftString},
                                     {"BoolValue", ftBool}})));

struct CountCase {
  const char* Stored;
  int Used;
};

class RecentFileCount : public SettingsTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(RecentFileCount, ClampedWhenRead) {
  Store({{kNoOfRecentFiles, "", GetParam().Stored, ""}});
  EXPECT_EQ(Loaded().Recent.NoOfRecentFiles, GetParam().Used);
}

INSTANTIATE_TEST_SUITE_P(Counts, RecentFileCount,
                         ::testing::Values(CountCase{"12", 8}, CountCase{"-3", 0},
                                           CountCase{"5", 5}, CountCase{"abc", 0}));

TEST_F(SettingsTest, MissingRecordsAddedOnce) {
  Store({{kUseThumbnailWizard, "", "", "TRUE"}, {"SomethingElse", "kept", "", ""}});
  TSettings s = Loaded();
  EXPECT_EQ(s.Table.RecordCount(), 13);
  EXPECT_TRUE(s.GetBool(kUseThumbnailWizard));
  EXPECT_EQ(s.Table.GetInt(s.Record(kNoOfRecentFiles), sfIntValue), 2);
  EXPECT_EQ(s.Table.GetString(s.Record("SomethingElse"), sfStringValue), "kept");
}

TEST_F(SettingsTest, ExistingDefaultDirBecomesCurrentFolder) {
  std::string folder = std::filesystem::canonical(config.Path).string();
  Store({{kDefaultDir, folder, "", "TRUE"}});
  TSettings s = Loaded();
  EXPECT_TRUE(s.UseDefaultDir);
  EXPECT_EQ(s.DefaultDir, folder);
  EXPECT_EQ(std::filesystem::current_path().string(), folder);
}

class UnusableDefaultDir : public SettingsTest,
                           public ::testing::WithParamInterface<const char*> {};

TEST_P(UnusableDefaultDir, ResetToDot) {
  std::string before = std::filesystem::current_path().string();
  Store({{kDefaultDir, GetParam(), "", "TRUE"}});
  TSettings s = Loaded();
  EXPECT_FALSE(s.UseDefaultDir);
  EXPECT_EQ(s.Table.GetString(s.Record(kDefaultDir), sfStringValue), ".");
  EXPECT_EQ(s.Table.GetString(s.Record(kDefaultDir), sfBoolValue), "FALSE");
  EXPECT_EQ(std::filesystem::current_path().string(), before);
}

INSTANTIATE_TEST_SUITE_P(Folders, UnusableDefaultDir,
                         ::testing::Values("/no/such/folder/any/more", "", ".", "/etc/hostname"));

TEST_F(SettingsTest, OneRunWritesWhatTheNextReads) {
  {
    TSettings first = Loaded();
    first.SetNoOfRecentFiles(4);
    first.Recent.Add("/pictures/a.png");
    first.Recent.Add("/pictures/b.jpg");
    EXPECT_TRUE(first.ChooseDefaultDir(config.Path));
    EXPECT_TRUE(first.ToggleBool(kPolygonAfterFreehand));
    first.WriteBack();
    first.Save();
  }
  TSettings second = Loaded();
  EXPECT_EQ(second.Recent.NoOfRecentFiles, 4);
  EXPECT_EQ(second.Recent.Entry(1), "/pictures/b.jpg");
  EXPECT_EQ(second.Recent.Entry(2), "/pictures/a.png");
  EXPECT_EQ(second.Recent.Entry(3), "");
  EXPECT_TRUE(second.UseDefaultDir);
  EXPECT_EQ(second.DefaultDir, config.Path);
  EXPECT_TRUE(second.GetBool(kPolygonAfterFreehand));
}

TEST_F(SettingsTest, WriteBackWithoutDefaultDirWritesDotAndTheCountIsClamped) {
  TSettings s = Loaded();
  s.DefaultDir = config.Path;
  s.UseDefaultDir = false;
  s.WriteBack();
  int r = s.Record(kDefaultDir);
  EXPECT_EQ(s.Table.GetString(r, sfStringValue), ".");
  EXPECT_EQ(s.Table.GetString(r, sfBoolValue), "FALSE");
  s.SetNoOfRecentFiles(11);  // the spin edit's value is stored at once
  EXPECT_EQ(s.Recent.NoOfRecentFiles, 8);
  EXPECT_EQ(s.Table.GetInt(s.Record(kNoOfRecentFiles), sfIntValue), 8);
}

TEST_F(SettingsTest, NamesThatWouldNotReadBackAreNotStored) {
  TSettings s = Loaded();
  s.Recent.NoOfRecentFiles = 3;
  s.Recent.Add("/a.png");
  s.Recent.Add("/odd\nname.png");
  s.Recent.Add("##marker.png");
  s.WriteBack();
  s.Save();
  TSettings back = Loaded();
  EXPECT_EQ(back.Recent.Entry(1), "");
  EXPECT_EQ(back.Recent.Entry(2), "");
  EXPECT_EQ(back.Recent.Entry(3), "/a.png");
}

TEST_F(SettingsTest, ExitStoresSettingsAndDeletesTemporaryFiles) {
  TempFolder temp;
  TProgramState state;
  LoadProgramState(state, temp.Path);  // no pictures in the program folder
  EXPECT_EQ(state.Placeholder, NeutralPicture());
  EXPECT_EQ(state.DialogBackground, NeutralPicture());
  state.Settings.Recent.Add("/x/closed.png");
  state.TempFiles.Add(temp.Write("123.jpg", "x"));
  SaveProgramState(state);
  EXPECT_FALSE(std::filesystem::exists(temp / "123.jpg"));
  TProgramState next;
  LoadProgramState(next, temp.Path);
  EXPECT_EQ(next.Settings.Recent.Entry(1), "/x/closed.png");
}

TEST_F(SettingsTest, TemporaryFilesDeletedWhenStoringFails) {
  TempFolder temp;
  TProgramState state;
  LoadProgramState(state, temp.Path);
  state.TempFiles.Add(temp.Write("5.jpg", "x"));
  config.Write("Tarvex", "a file where the settings folder belongs");
  EXPECT_THROW(SaveProgramState(state), EInOutError);
  EXPECT_FALSE(std::filesystem::exists(temp / "5.jpg"));
}

}  // namespace

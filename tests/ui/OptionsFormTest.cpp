#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <filesystem>

#include "support/ScopedState.h"
#include "support/TempFolder.h"
#include "editor/ui/OptionsForm.h"

using namespace lumarte::editor;
using lumarte::fixtures::ScopedCurrentFolder;
using lumarte::fixtures::TempFolder;

namespace {

class OptionsFormTest : public ::testing::Test {
 protected:
  ScopedCurrentFolder keepFolder;
  TSettings settings;
  TOptionsForm form{settings};
  std::optional<std::string> answer;
  void SetUp() override {
    settings.AddMissingRecords();
    form.ChooseFolder = [this] { return answer; };
  }
  int StoredCount() { return settings.Table.GetInt(settings.Record(kNoOfRecentFiles), sfIntValue); }
};

TEST_F(OptionsFormTest, ShowsSettings) {
  settings.Recent.NoOfRecentFiles = 5;
  settings.DefaultDir = "/some/where";
  settings.UseDefaultDir = true;
  form.ShowSettings();
  EXPECT_EQ(form.SpinEdit1->value(), 5);
  EXPECT_TRUE(form.CheckBox1->isChecked());
  EXPECT_EQ(form.Edit1->text(), "/some/where");
  EXPECT_EQ(StoredCount(), 2);  // showing stores nothing
}

TEST_F(OptionsFormTest, SpinEditStoredAtOnce) {
  form.SpinEdit1->setValue(6);
  EXPECT_EQ(settings.Recent.NoOfRecentFiles, 6);
  EXPECT_EQ(StoredCount(), 6);
  form.SpinEdit1->setValue(0);
  EXPECT_EQ(StoredCount(), 0);
}

TEST_F(OptionsFormTest, ChosenFolderBecomesDefaultAndCurrentCancelledChooserUnticks) {
  TempFolder folder;
  answer = folder.Path;
  form.Button1->click();
  EXPECT_TRUE(form.CheckBox1->isChecked());
  EXPECT_TRUE(settings.UseDefaultDir);
  EXPECT_EQ(settings.DefaultDir, folder.Path);
  EXPECT_EQ(form.Edit1->text().toStdString(), folder.Path);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(folder.Path));

  // A cancelled chooser unticks the box; ticking it again uses the folder.
  answer.reset();
  form.Button1->click();
  EXPECT_FALSE(form.CheckBox1->isChecked());
  EXPECT_FALSE(settings.UseDefaultDir);
  form.CheckBox1->setChecked(true);
  EXPECT_TRUE(settings.UseDefaultDir);
}

}  // namespace

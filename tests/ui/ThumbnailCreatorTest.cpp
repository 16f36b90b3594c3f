// The thumbnail creator driven as a user would: images through the answered
// open dialog, the entry's fields, the template dialog, a run, its undo, the
// wizard, and the way the editor hands images over.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>

#include "WindowTest.h"
#include "editor/model/ImageFiles.h"
#include "effects/ui/ProgressForm.h"
#include "gallery/ui/TableOptionsForm.h"
#include "gallery/ui/TemplateForm.h"
#include "gallery/ui/ThumbnailCreatorForm.h"
#include "gallery/ui/ThumbnailWizardForm.h"
#include "support/ShownMessages.h"
#include "support/TempFolder.h"
#include "support/TestPicture.h"

using namespace lumarte;
using namespace lumarte::gallery;
namespace fs = std::filesystem;

namespace {

class FakeCreatorPrompts : public TCreatorPrompts {
 public:
  std::deque<std::string> OpenFiles, SaveFiles;
  std::function<void(int)> OnJpeg;  // called with the count of questions so far
  int JpegQuestions = 0;

  bool AskRemovePrevious() override { return false; }
  std::optional<editor::TJpegSaveChoice> AskJpegOptions(const editor::TBitmap&) override {
    if (OnJpeg) OnJpeg(++JpegQuestions);
    return editor::TJpegSaveChoice{80, false};
  }
  void Note(const std::string&) override {}
  std::string AskFolder(const std::string&) override { return {}; }
  std::string AskOpenFile(const std::string&) override { return fixtures::Next(OpenFiles, {}); }
  std::string AskSaveFile(const std::string&, const std::string&, const std::string&) override {
    return fixtures::Next(SaveFiles, {});
  }
};

class ThumbnailCreatorTest : public ::testing::Test {
 protected:
  fixtures::TempFolder Temp;
  fixtures::FakePrompts Prompts;
  FakeCreatorPrompts Ask;
  std::vector<std::string> Opened;
  int Ended = 0;
  std::unique_ptr<TThumbnailCreatorForm> Form;

  void SetUp() override {
    TCreatorEditorLink link;
    link.OpenDocument = [this](const std::string& f) { Opened.push_back(f); };
    link.EndProgram = [this] { ++Ended; };
    link.ShowEditor = [] {};
    Form = std::make_unique<TThumbnailCreatorForm>(Prompts, Ask, std::move(link), nullptr);
    Form->ProgramFolder = LUMARTE_BINARY_DIR;
    Form->Project.Undo.BackupFolder = Temp.File("backups");
    Form->HTMLDIREdit->setText(QString::fromStdString(Temp.File("site")));
    fs::create_directories(Temp.Path / "src");
  }
  std::string Picture(const std::string& name) {
    return fixtures::WritePicture(Temp.File("src/" + name), 30, 20);
  }
  void AddThree() {
    Prompts.OpenAnswers.push_back(
        {Picture("a.jpg"), Picture("b b.png"), Picture("c.bmp"), Temp.File("src/notes.txt")});
    Form->Button14->click();
  }
  std::vector<std::string> ListLines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < Form->ImagesListBox->count(); ++i)
      lines.push_back(Form->ImagesListBox->item(i)->text().toStdString());
    return lines;
  }
  void Type(QWidget* field, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->selectAll();
    QTest::keyClicks(field, text);
  }
  fs::path Site(const std::string& name) const { return Temp.Path / "site" / name; }
};

}  // namespace

TEST_F(ThumbnailCreatorTest, EditsTheListAndItsEntries) {
  AddThree();
  EXPECT_EQ(ListLines(), (std::vector<std::string>{"a.jpg", "b_b.jpg", "c.jpg"}));
  EXPECT_EQ(Form->ImagesListBox->toolTip(), "3 Images");
  Form->ImagesListBox->setCurrentRow(1);
  EXPECT_EQ(Form->FNEdit->text().toStdString(), Temp.File("src/b b.png"));
  Type(Form->NmEdit, "beach.jpg");
  Type(Form->HintEdit, "Sunny");
  Type(Form->DescEdit, "  At the sea  ");
  const GalleryEntry& e = Form->Project.Entries[1];
  EXPECT_EQ(e.Name, "beach.jpg");
  EXPECT_EQ(e.Link, "beach.jpg");
  EXPECT_EQ(e.Hint, "Sunny");
  EXPECT_EQ(e.Description, "At the sea");

  Form->Button1->click();  // up: entry and line move together
  Form->Button1->click();  // at the top: nothing
  EXPECT_EQ(Form->ImagesListBox->currentRow(), 0);
  EXPECT_EQ(Form->Project.Entries[0].Name, "beach.jpg");
  EXPECT_EQ(ListLines(), (std::vector<std::string>{"b_b.jpg", "a.jpg", "c.jpg"}));
  for (int i = 0; i < 3; ++i) Form->Button2->click();  // down to the end and once more
  EXPECT_EQ(Form->Project.Entries[2].Name, "beach.jpg");
  EXPECT_EQ(Form->HintEdit->text(), "Sunny");
  EXPECT_EQ(ListLines(), (std::vector<std::string>{"a.jpg", "c.jpg", "b_b.jpg"}));

  // Saved to a set file, removed, cleared, and read back.
  Ask.SaveFiles.push_back(Temp.File("three.set"));
  Form->findChild<QAction*>("Save1")->trigger();
  Form->Button3->click();  // removes the selected (last) entry
  EXPECT_EQ(Form->ImagesListBox->toolTip(), "2 Images");
  Form->Button11->click();
  EXPECT_EQ(Form->ImagesListBox->count(), 0);
  EXPECT_EQ(Form->NmEdit->text(), "");
  Ask.OpenFiles.push_back(Temp.File("three.set"));
  Form->findChild<QAction*>("Load1")->trigger();
  EXPECT_EQ(ListLines(), (std::vector<std::string>{"a.jpg", "c.jpg", "b_b.jpg"}));
  EXPECT_EQ(Form->Project.Entries[2].Name, "beach.jpg");
}

TEST_F(ThumbnailCreatorTest, TemplateRunAndUndo) {
  AddThree();
  Type(Form->HTMLFileEdit, "gallery");
  QTest::keyClick(Form->HTMLFileEdit, Qt::Key_Return);
  EXPECT_EQ(Form->HTMLFileEdit->text(), "gallery.html");
  TThumbnailCreatorTemplateForm* t = Form->TemplateForm;
  QTimer::singleShot(0, [t] {  // inside the dialog's event loop
    const int dark = t->TemplateComboBox->findText("DarkTable");
    t->TemplateComboBox->setCurrentIndex(dark);
    emit t->TemplateComboBox->activated(dark);
    const int navy = t->ComboBoxes[1]->findText("navy = #000080 ");
    t->ComboBoxes[1]->setCurrentIndex(navy);
    emit t->ComboBoxes[1]->activated(navy);
    t->findChild<QPushButton*>("Button1")->click();
  });
  Form->Button13->click();
  EXPECT_EQ(Form->TemplateNameEdit->text(), "DarkTable");
  EXPECT_EQ(t->Edits[0]->text(), "Night Shots");
  EXPECT_EQ(t->Edits[1]->text(), "\"navy\"");
  EXPECT_EQ(Form->TableOptionsForm->CSSClassEdit->text(), "dk");
  EXPECT_TRUE(Form->TableOptionsForm->TDBottomRadioButton->isChecked());
  Form->ShowHTMLCodeCheckBox->setChecked(true);

  Form->LetsGoButton->click();
  ASSERT_EQ(Opened, std::vector<std::string>{Site("gallery.html").string()});
  EXPECT_EQ(Prompts.Texts.size(), 1u) << "the page's code is shown";
  const std::string page = fixtures::TempFolder::Read(Site("gallery.html"));
  EXPECT_NE(page.find("<title>Night Shots</title>"), std::string::npos);
  EXPECT_NE(page.find("bgcolor=\"navy\""), std::string::npos);
  EXPECT_TRUE(fs::exists(Site("images/b_b_th.jpg")));

  fixtures::ShownMessages shown;
  Form->findChild<QAction*>("Undo1")->trigger();  // the whole site comes back: HtmlPagesTest
  EXPECT_FALSE(fs::exists(Site("gallery.html")));
  Form->findChild<QAction*>("Undo1")->trigger();
  EXPECT_EQ(shown.Texts, std::vector<std::string>{"Nothing there to undo!"});
}

TEST_F(ThumbnailCreatorTest, AbortUndoesTheRun) {
  AddThree();
  Form->noHTMLCheckBox->setChecked(true);
  Form->AdjustCompressionCheckBox->setChecked(true);
  // Abort is pressed while the second image's options are asked.
  Ask.OnJpeg = [](int n) {
    if (n == 2) effects::TProgress::Instance().Button1->click();
  };
  fixtures::ShownMessages shown;
  Form->LetsGoButton->click();
  EXPECT_EQ(shown.Texts, std::vector<std::string>{"Thumbnail Creation aborted and undone."});
  EXPECT_EQ(Ask.JpegQuestions, 2);
  EXPECT_FALSE(effects::TProgress::Instance().isVisible());
  EXPECT_TRUE(Form->isEnabled());
  EXPECT_TRUE(Opened.empty());
}

TEST_F(ThumbnailCreatorTest, WizardBorrowsEachGroupAndGivesItBack) {
  const TCreatorGroup groups[] = {TCreatorGroup::Directories, TCreatorGroup::Style,
                                  TCreatorGroup::Thumbnails, TCreatorGroup::Images};
  TThumbnailWizardForm* w = Form->WizardForm;
  std::vector<std::string> titles;
  QTimer::singleShot(0, [&] {
    for (int step = 1; step <= 4; ++step) {
      titles.push_back(w->windowTitle().toStdString());
      EXPECT_EQ(w->Borrowed(), Form->Group(groups[step - 1]));
      EXPECT_EQ(w->Borrowed()->window(), w);
      if (step == 3) {  // back and forth hands the group over again
        w->BackButton->click();
        EXPECT_EQ(Form->Group(TCreatorGroup::Thumbnails)->window(), Form.get());
        w->NextButton->click();
      }
      w->NextButton->click();
    }
    EXPECT_EQ(w->Borrowed(), nullptr);
    EXPECT_EQ(w->NextButton->text(), "Finish");
    Prompts.OpenAnswers.push_back({Picture("a.jpg")});
    w->NextButton->click();
  });
  Form->findChild<QAction*>("UseWizard1")->trigger();
  EXPECT_EQ(titles.front(), "Thumbnail Creator Wizard - Step 1");
  EXPECT_EQ(titles.back(), "Thumbnail Creator Wizard - Step 4");
  for (TCreatorGroup g : groups) EXPECT_EQ(Form->Group(g)->window(), Form.get());
  QApplication::processEvents();  // Finish asks for images once the wizard is gone
  EXPECT_EQ(Form->ImagesListBox->count(), 1);
}

TEST_F(ThumbnailCreatorTest, ClosingEndsTheProgramOnlyWhenStartedAlone) {
  Form->StartedAlone = true;
  Form->show();
  Form->close();
  QApplication::processEvents();
  EXPECT_EQ(Ended, 1);
  Form->show();
  Form->findChild<QAction*>("GotoLumarte1")->trigger();
  Form->close();
  QApplication::processEvents();
  EXPECT_EQ(Ended, 1);
}

using ThumbnailCreatorInEditor = WindowTest;

TEST_F(ThumbnailCreatorInEditor, SendsTheCurrentImageAsJpeg) {
  FakeCreatorPrompts ask;
  window->ThumbnailAsk = &ask;
  window->Docs.NewImage(24, 16);
  window->Docs.Current().FileName = "/somewhere/My Holiday.png";
  window->LMSendtoThumbnailCreator1Click();
  ASSERT_NE(window->ThumbnailForm, nullptr);
  EXPECT_TRUE(window->ThumbnailForm->isVisible());
  const auto& entries = window->ThumbnailForm->Project.Entries;
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Name, "My_Holiday.jpg");
  EXPECT_EQ(editor::ProgramState().TempFiles.List().back(), entries[0].FileName);
  auto sent = editor::LoadImageFile(entries[0].FileName);
  ASSERT_TRUE(sent);
  EXPECT_EQ(sent->Width(), 24);
  window->ThumbnailForm->close();
}

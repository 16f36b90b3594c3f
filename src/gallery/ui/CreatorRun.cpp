// The creator's run and its undo, the folder and file choosers and the
// template dialog's OK.
#include <QLineEdit>
#include <QListWidget>
#include <filesystem>

#include "effects/ui/ProgressForm.h"
#include "gallery/model/GalleryRun.h"
#include "gallery/model/Templates.h"
#include "gallery/ui/TemplateForm.h"
#include "gallery/ui/ThumbnailCreatorForm.h"
#include "gallery/ui/ThumbnailWizardForm.h"

namespace lumarte::gallery {

void TThumbnailCreatorForm::LetsGoButtonClick() {
  if (Running) return;
  Project.Settings = Settings();
  effects::TProgress& progress = effects::TProgress::Instance();
  // Nothing of the window may change the list while the run walks it.
  Running = true;
  setEnabled(false);
  progress.Begin({});
  TGalleryRunResult result;
  try {
    result = RunGallery(Project, progress, Ask);
  } catch (...) {
    progress.End();
    setEnabled(true);
    Running = false;
    throw;
  }
  progress.End();
  setEnabled(true);
  Running = false;
  if (Project.Settings.ShowHTMLCode && !result.Code.empty()) Prompts.ShowText(SplitLines(result.Code));
  if (!result.OpenFile.empty() && Editor.OpenDocument) Editor.OpenDocument(result.OpenFile);
}

void TThumbnailCreatorForm::Undo1Click() {
  Project.Undo.Undo();
}

void TThumbnailCreatorForm::Button4Click() {
  std::string folder = Ask.AskFolder(HTMLDIREdit->text().toStdString());
  if (folder.empty()) return;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  HTMLDIREdit->setText(QString::fromStdString(folder));
}

void TThumbnailCreatorForm::SelectClick() {
  const std::string folder = Settings().HTMLDir;
  const std::string chosen = Ask.AskSaveFile("HTML|*.html;*.htm", "html", folder);
  if (chosen.empty()) return;
  HTMLFileEdit->setText(QString::fromStdString(HtmlFileInFolder(folder, chosen)));
}

void TThumbnailCreatorForm::HTMLFileEditExit() {
  const QString completed = QString::fromStdString(CompleteHtmlFileName(HTMLFileEdit->text().toStdString()));
  if (completed != HTMLFileEdit->text()) HTMLFileEdit->setText(completed);
}

void TThumbnailCreatorForm::Button13Click() {
  TemplateForm->Folder = TemplateFolder(Settings());
  if (TemplateForm->Execute()) ApplyTemplateChoice();
}

// OK of the template dialog: the template's settings go into the controls
// in line order; a bad number stops there, the keys before it stay.
void TThumbnailCreatorForm::ApplyTemplateChoice() {
  TGallerySettings s = Settings();
  const std::string name = TemplateForm->TemplateName();
  if (!TemplateForm->UseTemplate() || name.empty()) {
    TemplateNameEdit->setText("- no template -");
    TemplateForm->ClearSelection();
    ClearTemplate(s);
    ShowSettings(s);
    return;
  }
  TemplateNameEdit->setText(QString::fromStdString(name));
  const std::string tpl = TemplateForm->Folder + name + ".tpl";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(tpl, ec)) return;
  try {
    ApplyTemplateSettings(SplitLines(ReadWholeFile(tpl)), s);
  } catch (...) {
    ShowSettings(s);
    throw;
  }
  ShowSettings(s);
}

void TThumbnailCreatorForm::UseWizard1Click() {
  WizardShown = true;
  WizardForm->Execute();
}

}  // namespace lumarte::gallery

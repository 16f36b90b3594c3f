// The File menu's thumbnail creator: "Thumbnail Creator" (F2, or "-THUMB"
// at start) opens it; "Send to Thumbnail Creator" hands it the current image.
#include <QMessageBox>

#include "editor/model/ProgramState.h"
#include "editor/model/ThumbnailHandover.h"
#include "editor/ui/MainWindow.h"
#include "gallery/ui/QtCreatorPrompts.h"
#include "gallery/ui/ThumbnailCreatorForm.h"
#include "ui/ApplyLanguage.h"

namespace lumarte::editor {

gallery::TThumbnailCreatorForm& TForm1::ThumbnailCreatorForm() {
  if (ThumbnailForm) return *ThumbnailForm;
  if (!ThumbnailAsk) {
    OwnThumbnailAsk = std::make_unique<gallery::TQtCreatorPrompts>(this, Prompts);
    ThumbnailAsk = OwnThumbnailAsk.get();
  }
  gallery::TCreatorEditorLink link;
  link.ShowEditor = [this] {
    show();
    raise();
    activateWindow();
  };
  link.OpenImage = [this, show = link.ShowEditor](const std::string& file) {
    Files.OpenFiles({file});
    show();
  };
  link.EndProgram = [this] { close(); };
  link.ShowAbout = [this] {
    QMessageBox::about(ThumbnailForm, "About", "Lumarte 1.0\nImage viewer and editor with a thumbnail gallery creator.");
  };
  link.OpenDocument = [this](const std::string& file) { OpenDocument(file); };
  link.UseWizard = [] { return ProgramState().Settings.GetBool(kUseThumbnailWizard); };
  ThumbnailForm = new gallery::TThumbnailCreatorForm(Prompts, *ThumbnailAsk, std::move(link), this);
  if (OwnThumbnailAsk) static_cast<gallery::TQtCreatorPrompts&>(*OwnThumbnailAsk).SetWindow(ThumbnailForm);
  ThumbnailForm->StartedAlone = StartTool == TStartTool::Thumb;
  ui::ApplyLanguageToForm(ThumbnailForm);
  return *ThumbnailForm;
}

void TForm1::LMThumbnailCreator1Click() {
  gallery::TThumbnailCreatorForm& form = ThumbnailCreatorForm();
  form.show();
  form.raise();
  form.activateWindow();
}

void TForm1::LMSendtoThumbnailCreator1Click() {
  const TBM& current = Docs.Current();
  if (!current.InUse) return;
  const TThumbnailHandover sent = SaveForThumbnailCreator(current, ProgramState().TempFiles);
  ThumbnailCreatorForm().AddImage(sent.File, sent.Name);
  LMThumbnailCreator1Click();
}

}  // namespace lumarte::editor

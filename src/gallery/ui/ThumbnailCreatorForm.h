#pragma once
// "Lumarte Thumbnail Creator": the list of images with their texts, every
// setting of a gallery, and the run that writes it (undoable until the next
// run or until the window closes).
#include <functional>
#include <map>
#include <string>

#include <QMainWindow>

#include "editor/model/EditorPrompts.h"
#include "gallery/model/GalleryProject.h"
#include "gallery/ui/CreatorPrompts.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace lumarte::gallery {

class TThumbnailCreatorListOptionsForm;
class TThumbnailCreatorTableOptionsForm;
class TThumbnailCreatorParaOptionsForm;
class TThumbnailCreatorCollageOptionsForm;
class TThumbnailCreatorImageHTMLOptionsForm;
class TThumbnailCreatorNavigationOptionsForm;
class TThumbnailCreatorTemplateForm;
class TThumbnailWizardForm;

// What the creator needs of the editor and the desktop.
struct TCreatorEditorLink {
  std::function<void()> ShowEditor;                    // "Go to Lumarte"
  std::function<void(const std::string&)> OpenImage;   // as a new document; raises when full
  std::function<void()> EndProgram;                    // closes the editor window
  std::function<void()> ShowAbout;
  std::function<void(const std::string&)> OpenDocument;  // web browser
  std::function<bool()> UseWizard;  // "Use Wizard for Thumbnail Creator"
};

// The creator's four groups that the wizard borrows, in its step order.
enum class TCreatorGroup { Directories, Style, Thumbnails, Images };

class TThumbnailCreatorForm : public QMainWindow {
  Q_OBJECT
 public:
  TThumbnailCreatorForm(editor::TEditorPrompts& prompts, TCreatorPrompts& ask,
                        TCreatorEditorLink editor, QWidget* parent);
  ~TThumbnailCreatorForm() override;

  GalleryProject Project;
  // The program was started with "-THUMB": closing the creator ends it,
  // until the user goes to the editor.
  bool StartedAlone = false;
  // Where "Lumarte.dhf", "Templates/" and "ThumbnailCreator.html" are read;
  // the program folder unless a test says otherwise.
  std::string ProgramFolder;

  // Directories
  QGroupBox* DirectoriesGroup;
  QLineEdit *HTMLDIREdit, *ImageDirEdit, *HTMLFileEdit, *TemplateNameEdit;
  QPushButton *Button4, *Select, *Button13;
  // Style
  QGroupBox* StyleGroup;
  QRadioButton *HTMLListRadioButton, *HTMLParaRadioButton, *HTMLTableRadioButton,
      *HTMLCollageRadioButton;
  QSpinBox *ListRowEdit, *ColEdit, *RowEdit;
  QPushButton *ListOptionsButton, *ParaOptionsButton, *TableOptionsButton, *CollageOptionsButton;
  // Thumbnails
  QGroupBox* ThumbnailsGroup;
  QRadioButton *HighCompQualRadioButton, *MiddleCompQualRadioButton, *LowCompQualRadioButton,
      *VeryLowCompQualRadioButton;
  QRadioButton *LimitRadioButton, *HardLimitRadioButton, *StretchRadioButton, *FitRadioButton;
  QSpinBox *WidthEdit, *HeightEdit;
  QPushButton *large, *medium, *Button8;
  QCheckBox* NoExtensionCheckBox;
  // Images
  QGroupBox* ImagesGroup;
  QCheckBox *ImageResizeCheckBox, *AdjustCompressionCheckBox, *LinkIsHTMLCheckbox,
      *noHTMLCheckBox, *ShowHTMLCodeCheckBox, *TargetFrameCheckBox;
  QSpinBox* GreaterThanEdit;
  QLineEdit* TargetFrameEdit;
  QPushButton* Button15;
  // The image list and the selected entry
  QListWidget* ImagesListBox;
  QPushButton *Button14, *Button1, *Button2, *Button3, *Button11;
  QLineEdit *NmEdit, *FNEdit, *HintEdit;
  QPlainTextEdit* DescEdit;
  QLabel* PreviewImage;
  QCheckBox* ShowCheckBox;
  QPushButton* LetsGoButton;

  TThumbnailCreatorListOptionsForm* ListOptionsForm;
  TThumbnailCreatorTableOptionsForm* TableOptionsForm;
  TThumbnailCreatorParaOptionsForm* ParaOptionsForm;
  TThumbnailCreatorCollageOptionsForm* CollageOptionsForm;
  TThumbnailCreatorImageHTMLOptionsForm* ImageHTMLOptionsForm;
  TThumbnailCreatorNavigationOptionsForm* NavigationOptionsForm;
  TThumbnailCreatorTemplateForm* TemplateForm;
  TThumbnailWizardForm* WizardForm;

  // Every setting as the controls and option dialogs show it.
  TGallerySettings Settings() const;
  // The controls and option dialogs from settings (a template's OK).
  void ShowSettings(const TGallerySettings& s);

  bool AddImage(const std::string& fileName, const std::string& name);
  void ShowEntry();
  int Selected() const;

  // The wizard takes a group and gives it back.
  QGroupBox* Group(TCreatorGroup which) const;
  // The group to move into the wizard; its place keeps its size meanwhile.
  QGroupBox* LendGroup(TCreatorGroup which);
  void ReturnGroup(QGroupBox* group);

  // Commands
  void AddThumnails1Click();
  void Load1Click();
  void Save1Click();
  void UseWizard1Click();
  void SendImagetoLumarte1Click();
  void GotoLumarte1Click();
  void Exit1Click();
  void ExitThumbnailCreatorandLumarte1Click();
  void Undo1Click();
  void Button4Click();
  void SelectClick();
  void Button13Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button11Click();
  void LetsGoButtonClick();
  void Help2Click();
  void HTMLFileEditExit();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildDirectories();
  QWidget* BuildStyle();
  QWidget* BuildThumbnails();
  QWidget* BuildImages();
  QWidget* BuildList();
  QWidget* BuildEntry();
  void BuildMenus();
  void ConnectControls();
  void ConnectEntryEdits();
  void Guard(const std::function<void()>& command);
  void OnClick(QPushButton* button, void (TThumbnailCreatorForm::*handler)());
  QWidget* Slot(QGroupBox* group);
  void ListChanged();
  void ShowPreview(const GalleryEntry& e);
  void WriteBack(const std::function<void(GalleryEntry&)>& edit);
  void ApplyTemplateChoice();
  std::string FolderFile(const std::string& name) const;

  editor::TEditorPrompts& Prompts;
  TCreatorPrompts& Ask;
  TCreatorEditorLink Editor;
  std::map<QGroupBox*, QWidget*> Homes;  // where each group sits in the window
  bool WizardShown = false;
  bool Running = false;
  bool Showing = false;  // ShowEntry fills the fields: no write-back
};

}  // namespace lumarte::gallery

#pragma once
// The main window: the menus, the document view and its status bars. Its
// commands live in one file per menu; their work is in the model.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <QMainWindow>
#include <QStringList>

#include "editor/model/CommandLine.h"
#include "editor/model/DocumentList.h"
#include "editor/model/EditorPrompts.h"
#include "editor/model/FileCommands.h"
#include "editor/model/MouseTools.h"
#include "editor/model/PrintCommand.h"
#include "editor/model/ProgramState.h"
#include "editor/model/ZoomStatus.h"

class QLabel;
class QMenu;
class QMouseEvent;
class QSpinBox;

namespace lumarte::effects {
struct EffectRow;
class TParamEffectForm;
}  // namespace lumarte::effects

namespace lumarte::capture {
class TCapturer;
}
namespace lumarte::video {
class TVideoExtractForm;
}  // namespace lumarte::video
namespace lumarte::browser {
class TImageBrowserForm;
class TBrowserPrompts;
}  // namespace lumarte::browser
namespace lumarte::gallery {
class TCreatorPrompts;
class TThumbnailCreatorForm;
}  // namespace lumarte::gallery

namespace lumarte::editor {

class TImageView;
class Timagesform1;
class TOptionsForm;
class TColorForm;
class TSelectByColorForm;
class TClickLabel;
class TColorPanel;
class TModeIconsPanel;
class TZoomForm1;

class TForm1 : public QMainWindow, public DocumentHost, public SelectionView {
  Q_OBJECT
  // First, since the commands below keep a reference to them.
  std::unique_ptr<TEditorPrompts> OwnPrompts;
  TEditorPrompts& Prompts;

 public:
  // Without prompts the window answers its questions with its own dialogs.
  explicit TForm1(TEditorPrompts* prompts = nullptr, QWidget* parent = nullptr);
  ~TForm1() override;

  DocumentList Docs;
  TFileCommands Files;
  Timagesform1* ImagesForm;
  TImageView* View;
  // The colour set, the selection commands and the mouse tools.
  TColorSet& Colours = ProgramState().Colours;
  SelectionController Selections{Docs, Colours, *this};
  MouseTools Mouse{Selections};
  TZoomForm1* ZoomForm1;
  QMenu* PopupMenu1;
  QMenu* PopupSelect;
  TColorPanel* ColorImage;
  TClickLabel* LineWidthLabel;  // "Pen: Width"
  TModeIconsPanel* ModeIcons;
  QSpinBox* LineWidthSpinEdit;
  // Wall-clock seconds for the mouse timing rules; tests set their own.
  std::function<double()> Clock;

  // Platform services, replaceable by tests.
  std::function<std::optional<TBitmap>()> ReadClipboard;
  std::function<void(const TBitmap&)> WriteClipboard;
  std::function<void(const QStringList&)> StartInstance;
  // Hands a file (a help page) to the desktop's viewer.
  std::function<void(const std::string&)> OpenDocument;
  // The run's one printer and the print dialogs, made by the first print.
  std::shared_ptr<TPrinterPort> Printer;
  std::shared_ptr<TPrintQuestions> PrintQuestions;

  TOptionsForm* OptionsForm;
  // "Select Color", made at start and kept.
  TColorForm* ColorForm;
  // "Select by Color", made on first use and kept.
  TSelectByColorForm* SelectByColorForm = nullptr;
  // The tool a command-line switch asked for. The tools open on the first
  // activation once they exist; until then the switch opens the editor.
  TStartTool StartTool = TStartTool::None;

  // "-clip" pastes the clipboard as a new image; otherwise up to ten image
  // files are opened. A tool switch keeps the Images window closed at the
  // first showing (thumbnail creator, video player, screen capturer).
  void StartFromCommandLine(const TCommandLine& commandLine);
  // Arguments without the program name; relative names are taken from the
  // current folder.
  void HandleCommandLine(const QStringList& arguments);
  // Runs a command; an exception goes to the application error handler.
  void Guard(const std::function<void()>& command);
  // The window sized so that the view shows the image whole.
  void FitWindowToImage() override;

  // DocumentHost
  TSaveChangedAnswer AskSaveChanged() override;
  void SaveCurrent() override;
  void SaveCurrentAs() override;
  void OpenIntoFreeSlot() override;
  void AddRecentFile(const std::string& fileName) override;
  void DocumentRefreshed(int slot) override;
  void PreviewChanged() override;

  // SelectionView
  void EraseOutline() override;
  void DrawOutline() override;
  void ShowSelectionStatus(const std::string& text) override;
  void ModeChanged() override;
  void RunSelectByColorDialog() override;
  void ImageResized() override;
  void Redraw() override;
  void ShowPopupMenu() override;
  void SetDragCursor(bool drag) override;
  double Now() override;
  uint32_t RandomBelow(uint32_t n) override;

  // The keyboard table of the window; true when the key was used.
  bool FormKeyDown(QKeyEvent* event);
  bool FormKeyUp(QKeyEvent* event);

  // File
  void LMNew1Click();
  void LMOpen1Click();
  void LMSave1Click();
  void LMSaveas1Click();
  void LMClose1Click();
  void LMCloseAll1Click();
  void N110Click(int k);
  void LMPrint1Click();
  void LMExit1Click();
  // "Video Player": made on first use and kept.
  void LMVideo1Click();
  video::TVideoExtractForm* VideoForm = nullptr;
  // "-VIDEO <file>": the video the player opens at start.
  std::string StartVideoFile;
  // "Browse ...": the image browser, made on first use and kept.
  void LMBrowse1Click();
  browser::TImageBrowserForm* BrowserForm = nullptr;
  // The browser's questions; its own dialogs when null (tests set theirs).
  browser::TBrowserPrompts* BrowserPrompts = nullptr;
  // "Thumbnail Creator": made on first use and kept.
  void LMThumbnailCreator1Click();
  void LMSendtoThumbnailCreator1Click();
  gallery::TThumbnailCreatorForm& ThumbnailCreatorForm();
  gallery::TThumbnailCreatorForm* ThumbnailForm = nullptr;
  // The creator's own questions; its dialogs unless a test answers them.
  gallery::TCreatorPrompts* ThumbnailAsk = nullptr;
  // Edit
  void LMUndo1Click();
  void LMRedo1Click();
  void LMCopy1Click();
  void LMPasteasNew1Click();
  void LMMoveto1Click();
  void LMSendToanewLumartewindow1Click();
  // Image
  void LMImageInformation1Click();
  void LMRGBSplitImage1Click();
  // Effects and the Image menu's pixel operations: the row's dialog (made
  // once and kept) is shown modally, or a row without a dialog runs at once.
  void RunEffectCommand(const effects::EffectRow& row);
  // The effect dialog made for a row, if it was opened before.
  effects::TParamEffectForm* EffectForm(const effects::EffectRow& row) const;
  // Selection
  void LMSelectAll1Click();
  void LMTrim1Click();
  // Zoom
  void SetZoomFactor(double zoom);
  void LMIncrease1Click();
  void LMDecrease1Click();
  void LMZoomWindow1Click();
  // The colour dialog over the program's colour set; the panel shows the
  // set again after OK. Opened by Image > Colors > Edit Colors, Options >
  // Select Colors, the popup's Edit Colors, the colour panel and the pen
  // width label; dialogs that use the colours open it here too.
  bool EditColors();
  void LMEditColors1Click();
  void LMSelectColors1Click();
  // Popup colour commands; the interval's width is set in the colour dialog
  // right after its centre is taken.
  void TakeColour(TColorMember member);
  void SwitchColours(TColorMember a, TColorMember b);
  // Images
  void LMShowImagesWindow1Click();
  void LMImClick(int k);
  void HistoryPick(int k);
  // Selection
  void LMAfterFreehandswitchtoPolygonClick();
  // Options
  void LMOptionsMenuItemClick();
  void LMUseWizardforThumbnailCreator1Click();
  // File: the screen capturer
  void LMScreenCapturer1Click();
  void LMScreenCaptureNow1Click();
  // Help
  void LMHelp2Click();
  void LMFAQ1Click();
  void LMReadme1Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TMenuItem {
    const char* Name;  // null for a separator
    const char* Caption;
    const char* Shortcut;       // null for none
    std::function<void()> Run;  // empty: the command comes later, shown disabled
  };
  // An item whose caption and command come from the effect row that lists it.
  static TMenuItem EffectItem(const char* name) { return {name, nullptr, nullptr, {}}; }
  std::function<void()> Do(void (TForm1::*handler)());
  QMenu* AddMenu(const char* name, const char* caption);
  QMenu* AddSubmenu(QMenu* parent, const char* name, const char* caption,
                    const std::vector<TMenuItem>& items);
  void AddItems(QMenu* menu, const std::vector<TMenuItem>& items);
  void BuildFileMenu();
  void BuildEditMenu();
  void BuildImageMenu();
  void BuildEffectsMenu();
  void BuildSelectionMenu();
  void BuildPaintMenu();
  void BuildZoomMenu();
  void BuildOptionsMenu();
  void BuildImagesMenu();
  void BuildHelpMenu();
  void BuildStatusBars();
  void BuildSelectionTools();
  void BuildModeBar();
  void BuildPopupMenus();
  // A menu item's caption from its effect row (a caption's "&" doubled).
  static QString MenuCaption(const effects::EffectRow* row);
  void ConnectEffectItem(QAction* action, const effects::EffectRow& row);
  // Every item an effect row names is in a menu (a misspelt name fails here).
  void CheckEffectItemsPlaced() const;
  void ConnectCaptureCommands();
  capture::TCapturer& CapturerForm();
  void SelectionRefreshed();
  void ColoursChanged();
  void ShowPointer(int x, int y);
  void RefreshPointerStatus();
  void ViewMousePressed(QMouseEvent* event);
  void ViewMouseMoved(QMouseEvent* event);
  void ViewMouseReleased(QMouseEvent* event);
  void DecorateFrame(QImage& frame);
  void ScrollBy(int dx, int dy);
  void UpdateRecentFileItems();
  void InstallErrorHandler();
  // Ticks of the two settings toggles, from the stored values.
  void ShowSettingTicks();
  void RebuildImagesMenu();
  void ShowCurrent();
  void UpdateEditActions();
  QAction* Item(const char* name) const;

  std::map<const effects::EffectRow*, std::unique_ptr<effects::TParamEffectForm>> EffectForms;
  QLabel* StatusPanels[5];
  QLabel* FileNameLabel;
  capture::TCapturer* Capturer = nullptr;  // made on first use, kept
  std::unique_ptr<gallery::TCreatorPrompts> OwnThumbnailAsk;
  bool ImagesWindowBeforeCapture = false;
  bool ShownOnce = false;
  // The tool a start-up switch names opens once, at the first activation.
  void OpenStartTool();
  bool ActivatedOnce = false;
  bool ImagesWindowAtStart = true;
  bool OutlineShown = false;
  TArrowStep ArrowStep;
};

}  // namespace lumarte::editor

#include "editor/ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <filesystem>

#include "editor/model/MetafileAccess.h"
#include "editor/model/ProgramState.h"
#include "editor/model/ZoomStatus.h"
#include "editor/model/ZoomView.h"
#include "ui/ApplyLanguage.h"
#include "editor/ui/ColorForm.h"
#include "ui/ErrorHandler.h"
#include "editor/ui/ImageView.h"
#include "editor/ui/ImagesWindow.h"
#include "editor/ui/OptionsForm.h"
#include "editor/ui/QtPrompts.h"
#include "gallery/ui/CreatorPrompts.h"
#include "gallery/ui/ThumbnailCreatorForm.h"
#include "effects/ui/ParamEffectForm.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"
#include "platform/Clipboard.h"
#include "platform/DesktopOpen.h"
#include "platform/MetafileIO.h"
#include "platform/Shell.h"

namespace lumarte::editor {

namespace {

std::unique_ptr<TEditorPrompts> DialogPromptsUnless(TEditorPrompts* given, QWidget* window) {
  if (given) return nullptr;
  return std::make_unique<TQtPrompts>(window);
}

// The window whose hooks the application error handler uses.
const TForm1* ErrorHandlerOwner = nullptr;

}  // namespace

TForm1::TForm1(TEditorPrompts* prompts, QWidget* parent)
    : QMainWindow(parent),
      OwnPrompts(DialogPromptsUnless(prompts, this)),
      Prompts(prompts ? *prompts : *OwnPrompts),
      Docs(*this),
      Files(Docs, *this, Prompts),
      ImagesForm(new Timagesform1(this)),
      View(new TImageView) {
  setObjectName("Form1");
  setWindowTitle("Lumarte 1.0");
  setAcceptDrops(true);
  View->Source = [this] { return &Docs.DisplayedRaster(); };
  InstallMetafileFunctions({&platform::LoadMetafile, &platform::SaveMetafile});
  ReadClipboard = [] { return platform::ClipboardPicture(); };
  WriteClipboard = [](const TBitmap& b) { platform::SetClipboardPicture(b); };
  StartInstance = [](const QStringList& args) { platform::StartSecondInstance(args); };
  OpenDocument = [](const std::string& file) { platform::OpenWithDefaultViewer(file); };
  InstallErrorHandler();
  // The recent files as read at start; menu items beyond the list's length
  // stay hidden for the whole run.
  Files.Recent = ProgramState().Settings.Recent;
  OptionsForm = new TOptionsForm(ProgramState().Settings, this);
  ColorForm = new TColorForm(Colours, this);
  ColorForm->OpenHelp = [this](const std::string& file) { OpenDocument(file); };

  BuildStatusBars();
  BuildSelectionTools();
  BuildFileMenu();
  BuildEditMenu();
  BuildImageMenu();
  BuildEffectsMenu();
  BuildSelectionMenu();
  BuildPaintMenu();
  BuildZoomMenu();
  BuildOptionsMenu();
  BuildImagesMenu();
  BuildHelpMenu();
  BuildPopupMenus();
  CheckEffectItemsPlaced();
  ConnectCaptureCommands();
  // The PNG dialog's "Edit Transparent Color" opens this window's colour dialog.
  if (auto* dialogs = dynamic_cast<TQtPrompts*>(OwnPrompts.get()))
    dialogs->SetTransparentColorEditor([this]() -> std::optional<TColor> {
      if (!EditColors()) return std::nullopt;
      return Colours.TCI.Color();
    });

  ImagesForm->OnDocumentPicked = [this](int k) { Guard([&] { Docs.SwitchTo(k - 1); }); };
  ImagesForm->OnHistoryPicked = [this](int k) { Guard([&] { HistoryPick(k); }); };

  ShowSettingTicks();
  Docs.SetPlaceholder(ProgramState().Placeholder);
  Docs.RefreshAll();
  resize(640, 520);
  // Menu captions may change width with the language file: fit again.
  ui::StartLanguageTimer(this, imaging::ProgramDirectory(), [this] { FitWindowToImage(); });
}

TForm1::~TForm1() {
  if (ErrorHandlerOwner != this) return;
  ErrorHandlerOwner = nullptr;
  ui::ApplicationErrorHandler() = ui::TApplicationErrorHandler();
}

void TForm1::InstallErrorHandler() {
  ui::TApplicationErrorHandler& handler = ui::ApplicationErrorHandler();
  handler.ShowMessage = [this](const std::string& text) { Prompts.ShowMessage(text); };
  handler.FreeUndoLevels = [this] {
    for (auto& level : Docs.Current().Undo) level.reset();
    Docs.Refresh(0);
  };
  handler.CloseAllImages = [this] { Docs.LMCloseAll1Click(); };
  ErrorHandlerOwner = this;
}

namespace {
// The panels' texts before the pointer has been over an image.
const char* const kStatusInitial[5] = {"(1:1)", "X:", "Y:", "RGB: ", "Sel: "};
}  // namespace

void TForm1::BuildStatusBars() {
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* top = new QWidget;
  top->setObjectName("StatusBar1");
  auto* panels = new QHBoxLayout(top);
  panels->setContentsMargins(2, 1, 2, 1);
  const char* widest[5] = {"(1234:1)", "X: 12345", "Y: 12345", "RGB 123 456 789 ", ""};
  for (int i = 0; i < 5; ++i) {
    StatusPanels[i] = new QLabel(kStatusInitial[i]);
    StatusPanels[i]->setObjectName(QString("StatusPanel%1").arg(i));
    StatusPanels[i]->setFrameShape(QFrame::Panel);
    StatusPanels[i]->setFrameShadow(QFrame::Sunken);
    int width = StatusPanels[i]->fontMetrics().horizontalAdvance(widest[i]) + 6;
    StatusPanels[i]->setMinimumWidth(width);
    panels->addWidget(StatusPanels[i], i == 4 ? 1 : 0);
  }
  layout->addWidget(top);
  layout->addWidget(View, 1);
  setCentralWidget(central);

  FileNameLabel = new QLabel;
  FileNameLabel->setObjectName("StatusBar2");
  statusBar()->addWidget(FileNameLabel, 1);
}

std::function<void()> TForm1::Do(void (TForm1::*handler)()) {
  return [this, handler] { (this->*handler)(); };
}

QMenu* TForm1::AddMenu(const char* name, const char* caption) {
  QMenu* menu = menuBar()->addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

QMenu* TForm1::AddSubmenu(QMenu* parent, const char* name, const char* caption,
                          const std::vector<TMenuItem>& items) {
  QMenu* menu = parent->addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  AddItems(menu, items);
  bool any = false;
  for (const auto& item : items)
    any = any || item.Run || (item.Name && effects::FindEffectByMenuItem(item.Name));
  menu->menuAction()->setEnabled(any);
  return menu;
}

void TForm1::AddItems(QMenu* menu, const std::vector<TMenuItem>& items) {
  for (const auto& item : items) {
    if (!item.Name) {
      menu->addSeparator();
      continue;
    }
    const effects::EffectRow* effect = effects::FindEffectByMenuItem(item.Name);
    QAction* action = menu->addAction(item.Caption ? QString(item.Caption) : MenuCaption(effect));
    action->setObjectName(item.Name);
    if (item.Shortcut) action->setShortcut(QKeySequence(item.Shortcut));
    if (effect) {
      ConnectEffectItem(action, *effect);
      continue;
    }
    if (!item.Run) {
      action->setEnabled(false);
      continue;
    }
    connect(action, &QAction::triggered, this, [this, run = item.Run] { Guard(run); });
  }
}

QAction* TForm1::Item(const char* name) const {
  return findChild<QAction*>(name);
}

void TForm1::Guard(const std::function<void()>& command) {
  ui::RunGuarded(command);
  UpdateEditActions();
}

void TForm1::StartFromCommandLine(const TCommandLine& commandLine) {
  StartTool = commandLine.Tool;
  if (StartTool == TStartTool::Video && commandLine.FileCandidates.size() > 1)
    StartVideoFile = commandLine.FileCandidates[1];
  ImagesWindowAtStart = commandLine.ShowsImagesWindow();
  if (commandLine.Clip)
    Guard([this] { LMPasteasNew1Click(); });
  else
    Guard([&] { Files.OpenStartupFiles(commandLine.FileCandidates); });
}

void TForm1::HandleCommandLine(const QStringList& arguments) {
  std::vector<std::string> args;
  for (const QString& a : arguments) args.push_back(QFile::encodeName(a).toStdString());
  std::error_code ec;
  StartFromCommandLine(ParseCommandLine(args, std::filesystem::current_path(ec).string()));
}

// ---- DocumentHost ----

TSaveChangedAnswer TForm1::AskSaveChanged() {
  return Prompts.AskSaveChanged();
}

// A save that the user cancels from the save prompt stops the closing: the
// image would be lost otherwise.
void TForm1::SaveCurrent() {
  if (!Files.LMSave1Click()) throw ELumarteError("Operation Cancelled.");
}

void TForm1::SaveCurrentAs() {
  if (!Files.LMSaveas1Click()) throw ELumarteError("Operation Cancelled.");
}

void TForm1::OpenIntoFreeSlot() {
  Files.LMOpen1Click();
}

void TForm1::AddRecentFile(const std::string& fileName) {
  Files.Recent.Add(fileName);
  UpdateRecentFileItems();
}

void TForm1::DocumentRefreshed(int slot) {
  if (slot == 0) {
    const TBM& d = Docs.Current();
    FileNameLabel->setText(QString::fromStdString(d.FileName));
    ShowCurrent();
    RefreshPointerStatus();
    SelectionRefreshed();
    for (int k = 1; k <= 10; ++k) {
      const TBitmap* level = Docs.HistoryRaster(k);
      ImagesForm->HistoryThumbnail(k)->SetPicture(level ? *level : Docs.Placeholder(),
                                                  Docs.HistoryHint(k));
    }
  }
  const TBM& d = Docs.Slot(slot);
  ImagesForm->DocumentThumbnail(slot + 1)->SetPicture(
      slot == 0 || d.InUse ? *d.Bitmap : Docs.Placeholder(), Docs.DocumentHint(slot));
  RebuildImagesMenu();
  UpdateEditActions();
}

void TForm1::PreviewChanged() {
  ShowCurrent();
}

void TForm1::ShowCurrent() {
  View->SetZoom(Docs.ZoomFactor);
  View->Redraw();
  StatusPanels[0]->setText(QString::fromStdString(ZoomPanelText(Docs.ZoomFactor)));
}

// Another image (or a changed one) is shown: the pointer's readout describes
// it, or nothing while the pointer is elsewhere.
void TForm1::RefreshPointerStatus() {
  const TPoint p = Selections.StatusPoint;
  if (View->underMouse() && Docs.DisplayedRaster().Contains(p.X, p.Y)) {
    ShowPointer(p.X, p.Y);
    return;
  }
  for (int i = 1; i <= 3; ++i) StatusPanels[i]->setText(kStatusInitial[i]);
}

void TForm1::UpdateEditActions() {
  if (QAction* undo = Item("LMUndo1")) undo->setEnabled(Docs.UndoEnabled);
  if (QAction* redo = Item("LMRedo1")) redo->setEnabled(Docs.RedoEnabled);
}

void TForm1::FitWindowToImage() {
  ShowCurrent();
  const TBitmap& raster = Docs.DisplayedRaster();
  QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1280, 1024);
  QSize frame = frameGeometry().size() - geometry().size();
  int chromeHeight = height() - View->height();
  TFitLimits limits;
  limits.ScrollBarWidth = View->verticalScrollBar()->sizeHint().width();
  limits.ScrollBarHeight = View->horizontalScrollBar()->sizeHint().height();
  limits.MinClientWidth = std::max(menuBar()->sizeHint().width(),
                                   centralWidget()->layout()->itemAt(0)->sizeHint().width());
  limits.MaxClientWidth = screen.right() - 10 - x() - frame.width();
  limits.MaxClientHeight = screen.bottom() - 10 - y() - frame.height() - chromeHeight;
  TClientSize view = FitViewToImage(raster.Width(), raster.Height(), Docs.ZoomFactor, limits);
  resize(view.Width, view.Height + chromeHeight);
}

// ---- window events ----

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (ShownOnce) return;
  ShownOnce = true;
  FitWindowToImage();
  if (ImagesWindowAtStart) LMShowImagesWindow1Click();
  // A desktop without a window manager never activates the window.
  QTimer::singleShot(0, this, [this] { OpenStartTool(); });
}

void TForm1::OpenStartTool() {
  if (ActivatedOnce) return;
  ActivatedOnce = true;
  if (StartTool == TStartTool::Thumb) Guard([this] { LMThumbnailCreator1Click(); });
  if (StartTool == TStartTool::Video) Guard([this] { LMVideo1Click(); });
  if (StartTool == TStartTool::Browser) Guard(Do(&TForm1::LMBrowse1Click));
  if (StartTool == TStartTool::Capture) Guard(Do(&TForm1::LMScreenCapturer1Click));
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Another window may have changed an image's size meanwhile.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    Docs.RefreshAll();
    FitWindowToImage();
    OpenStartTool();
  }
}

void TForm1::closeEvent(QCloseEvent* event) {
  Guard([this] { Docs.LMCloseAll1Click(); });
  if (Docs.Current().InUse) {
    event->ignore();  // a cancelled save prompt keeps the program running
    return;
  }
  ImagesForm->close();
  // The creator forgets its undo backups when it closes; the program ends.
  if (ThumbnailForm) {
    ThumbnailForm->StartedAlone = false;
    ThumbnailForm->close();
  }
  event->accept();
}

namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> names;
  if (!data || !data->hasUrls()) return names;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) names.push_back(url.toLocalFile().toStdString());
  return names;
}

}  // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  auto names = LocalFiles(event->mimeData());
  if (names.empty()) return;
  event->acceptProposedAction();
  Guard([&] { Files.OpenFiles(names); });
}

}  // namespace lumarte::editor

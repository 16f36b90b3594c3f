#include "gallery/ui/ThumbnailCreatorForm.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include "gallery/ui/CollageOptionsForm.h"
#include "gallery/ui/ImageHTMLOptionsForm.h"
#include "gallery/ui/ListOptionsForm.h"
#include "gallery/ui/NavigationOptionsForm.h"
#include "gallery/ui/ParaOptionsForm.h"
#include "gallery/ui/TableOptionsForm.h"
#include "gallery/ui/TemplateForm.h"
#include "gallery/ui/ThumbnailWizardForm.h"
#include "imaging/FileUtils.h"
#include "ui/ErrorHandler.h"

namespace lumarte::gallery {

namespace {

std::string DesktopFolder() {
  QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  while (desktop.size() > 1 && desktop.endsWith('/')) desktop.chop(1);
  return desktop.toStdString();
}

}  // namespace

TThumbnailCreatorForm::TThumbnailCreatorForm(editor::TEditorPrompts& prompts, TCreatorPrompts& ask,
                                             TCreatorEditorLink editor, QWidget* parent)
    : QMainWindow(parent, Qt::Window), Prompts(prompts), Ask(ask), Editor(std::move(editor)) {
  setObjectName("ThumbnailCreatorForm");
  setWindowTitle("Lumarte Thumbnail Creator");
  auto* left = new QVBoxLayout;
  for (QWidget* w : {BuildDirectories(), BuildStyle(), BuildThumbnails(), BuildImages()})
    left->addWidget(w);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(BuildList(), 1);
  right->addWidget(BuildEntry());
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right, 1);
  LetsGoButton = new QPushButton("Let's Go. You can undo this with Undo in the Edit Menu.");
  LetsGoButton->setObjectName("LetsGoButton");
  LetsGoButton->setToolTip("Creates HTML and copies images, creates thumbnails if necessary.");
  LetsGoButton->setMinimumHeight(34);
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->addLayout(columns, 1);
  layout->addWidget(LetsGoButton);
  setCentralWidget(central);

  ListOptionsForm = new TThumbnailCreatorListOptionsForm(this);
  TableOptionsForm = new TThumbnailCreatorTableOptionsForm(this);
  ParaOptionsForm = new TThumbnailCreatorParaOptionsForm(this);
  CollageOptionsForm = new TThumbnailCreatorCollageOptionsForm(this);
  ImageHTMLOptionsForm = new TThumbnailCreatorImageHTMLOptionsForm(Ask, this);
  NavigationOptionsForm = new TThumbnailCreatorNavigationOptionsForm(this);
  TemplateForm = new TThumbnailCreatorTemplateForm(this);
  WizardForm = new TThumbnailWizardForm(*this);

  HTMLDIREdit->setText(QString::fromStdString(DesktopFolder()));
  BuildMenus();
  ConnectControls();
  ConnectEntryEdits();
  ShowEntry();
  resize(900, 640);
}

TThumbnailCreatorForm::~TThumbnailCreatorForm() = default;

QWidget* TThumbnailCreatorForm::Slot(QGroupBox* group) {
  auto* slot = new QWidget;
  auto* layout = new QVBoxLayout(slot);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(group);
  Homes[group] = slot;
  return slot;
}

QGroupBox* TThumbnailCreatorForm::Group(TCreatorGroup which) const {
  switch (which) {
    case TCreatorGroup::Directories:
      return DirectoriesGroup;
    case TCreatorGroup::Style:
      return StyleGroup;
    case TCreatorGroup::Thumbnails:
      return ThumbnailsGroup;
    default:
      return ImagesGroup;
  }
}

QGroupBox* TThumbnailCreatorForm::LendGroup(TCreatorGroup which) {
  QGroupBox* group = Group(which);
  Homes[group]->setMinimumSize(group->size());
  return group;
}

void TThumbnailCreatorForm::ReturnGroup(QGroupBox* group) {
  auto home = Homes.find(group);
  if (home == Homes.end() || group->parentWidget() == home->second) return;
  home->second->setMinimumSize(0, 0);
  home->second->layout()->addWidget(group);
  group->show();
}

void TThumbnailCreatorForm::Guard(const std::function<void()>& command) {
  ui::RunGuarded(command);
}

void TThumbnailCreatorForm::OnClick(QPushButton* button, void (TThumbnailCreatorForm::*handler)()) {
  connect(button, &QPushButton::clicked, this, [this, handler] { Guard([=, this] { (this->*handler)(); }); });
}

void TThumbnailCreatorForm::BuildMenus() {
  auto add = [this](QMenu* menu, const char* name, const char* caption,
                    void (TThumbnailCreatorForm::*handler)(), const char* keys = nullptr) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    if (keys) item->setShortcut(QKeySequence(keys));
    connect(item, &QAction::triggered, this, [this, handler] { Guard([=, this] { (this->*handler)(); }); });
  };
  auto dialog = [](QMenu* menu, const char* name, const char* caption, QDialog* form) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    connect(item, &QAction::triggered, form, [form] {
      if (auto* options = dynamic_cast<TStyleOptionsForm*>(form))
        options->Execute();
      else
        form->exec();
    });
  };
  QMenu* files = menuBar()->addMenu("Files");
  files->setObjectName("Files1");
  add(files, "AddThumnails1", "Add Images", &TThumbnailCreatorForm::AddThumnails1Click);
  add(files, "Load1", "Add Set      (Images+Image Infos)", &TThumbnailCreatorForm::Load1Click);
  add(files, "Save1", "Save Set    (Images+Image Infos)", &TThumbnailCreatorForm::Save1Click, "Ctrl+S");
  files->addSeparator();
  add(files, "UseWizard1", "Use Wizard", &TThumbnailCreatorForm::UseWizard1Click);
  files->addSeparator();
  add(files, "SendImagetoLumarte1", "Send Image to Lumarte", &TThumbnailCreatorForm::SendImagetoLumarte1Click);
  add(files, "GotoLumarte1", "Go to Lumarte", &TThumbnailCreatorForm::GotoLumarte1Click);
  files->addSeparator();
  add(files, "Exit1", "Close", &TThumbnailCreatorForm::Exit1Click);
  add(files, "ExitThumbnailCreatorandLumarte1", "Close and Exit Lumarte",
      &TThumbnailCreatorForm::ExitThumbnailCreatorandLumarte1Click);
  QMenu* edit = menuBar()->addMenu("Edit");
  edit->setObjectName("Edit1");
  add(edit, "Undo1", "Undo", &TThumbnailCreatorForm::Undo1Click, "Ctrl+Z");
  QMenu* style = menuBar()->addMenu("Style");
  style->setObjectName("Style1");
  dialog(style, "Listoptions1", "List options", ListOptionsForm);
  dialog(style, "CSSoptions1", "Paragraph options", ParaOptionsForm);
  dialog(style, "Tableoptions1", "Table options", TableOptionsForm);
  dialog(style, "CollageImageMapoptions1", "Collage/Image Map options ", CollageOptionsForm);
  dialog(style, "Navigationoptions1", "Navigation options", NavigationOptionsForm);
  QMenu* help = menuBar()->addMenu("Help");
  help->setObjectName("Help1");
  add(help, "Help2", "Thumbnail Creator             (local HTML)", &TThumbnailCreatorForm::Help2Click, "F1");
  QAction* about = help->addAction("About");
  about->setObjectName("About1");
  connect(about, &QAction::triggered, this, [this] { Guard([this] { if (Editor.ShowAbout) Editor.ShowAbout(); }); });
}

void TThumbnailCreatorForm::ConnectControls() {
  OnClick(Button4, &TThumbnailCreatorForm::Button4Click);
  OnClick(Select, &TThumbnailCreatorForm::SelectClick);
  OnClick(Button13, &TThumbnailCreatorForm::Button13Click);
  OnClick(Button14, &TThumbnailCreatorForm::AddThumnails1Click);
  OnClick(Button1, &TThumbnailCreatorForm::Button1Click);
  OnClick(Button2, &TThumbnailCreatorForm::Button2Click);
  OnClick(Button3, &TThumbnailCreatorForm::Button3Click);
  OnClick(Button11, &TThumbnailCreatorForm::Button11Click);
  OnClick(LetsGoButton, &TThumbnailCreatorForm::LetsGoButtonClick);
  for (auto [button, form] : {std::pair<QPushButton*, TStyleOptionsForm*>{ListOptionsButton, ListOptionsForm},
                              {ParaOptionsButton, ParaOptionsForm},
                              {TableOptionsButton, TableOptionsForm},
                              {CollageOptionsButton, CollageOptionsForm},
                              {Button15, ImageHTMLOptionsForm}})
    connect(button, &QPushButton::clicked, form, [f = form] { f->Execute(); });
  for (auto [button, size] : {std::pair{large, 100}, {medium, 70}, {Button8, 40}})
    connect(button, &QPushButton::clicked, this, [this, s = size] {
      WidthEdit->setValue(s);
      HeightEdit->setValue(s);
    });
  connect(LinkIsHTMLCheckbox, &QCheckBox::toggled, Button15, &QWidget::setEnabled);
  connect(TargetFrameCheckBox, &QCheckBox::toggled, TargetFrameEdit, &QWidget::setEnabled);
  connect(HTMLFileEdit, &QLineEdit::editingFinished, this, [this] { HTMLFileEditExit(); });
  connect(ImageDirEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
    const QString kept = QString::fromStdString(NormalizeImageDir(text.toStdString()));
    if (kept != text) ImageDirEdit->setText(kept);
  });
  ImagesListBox->viewport()->installEventFilter(this);
}

void TThumbnailCreatorForm::ConnectEntryEdits() {
  connect(ImagesListBox, &QListWidget::currentRowChanged, this, [this] { Guard([this] { ShowEntry(); }); });
  connect(NmEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
    WriteBack([&](GalleryEntry& e) { e.Name = e.Link = text.toStdString(); });
  });
  connect(NmEdit, &QLineEdit::editingFinished, this, [this] { Guard([this] { ShowEntry(); }); });
  connect(HintEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
    WriteBack([&](GalleryEntry& e) { e.Hint = text.toStdString(); });
  });
  connect(DescEdit, &QPlainTextEdit::textChanged, this, [this] {
    WriteBack([this](GalleryEntry& e) { e.Description = DescEdit->toPlainText().trimmed().toStdString(); });
  });
}

bool TThumbnailCreatorForm::eventFilter(QObject* watched, QEvent* event) {
  // A click into the empty list asks for images.
  if (watched == ImagesListBox->viewport() && event->type() == QEvent::MouseButtonRelease &&
      ImagesListBox->count() == 0 && !Running) {
    QTimer::singleShot(0, this, [this] { Guard([this] { AddThumnails1Click(); }); });
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TThumbnailCreatorForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (WizardShown || !Editor.UseWizard || !Editor.UseWizard()) return;
  WizardShown = true;
  QTimer::singleShot(0, this, [this] { Guard([this] { UseWizard1Click(); }); });
}

void TThumbnailCreatorForm::closeEvent(QCloseEvent* event) {
  if (Running) {
    event->ignore();
    return;
  }
  Guard([this] { Project.Undo.ForgetUndo(); });
  event->accept();
  if (StartedAlone && Editor.EndProgram) QTimer::singleShot(0, this, [this] { Editor.EndProgram(); });
}

std::string TThumbnailCreatorForm::FolderFile(const std::string& name) const {
  std::string folder = ProgramFolder.empty() ? imaging::ProgramDirectory() : ProgramFolder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + name;
}

void TThumbnailCreatorForm::Help2Click() {
  if (Editor.OpenDocument) Editor.OpenDocument(FolderFile("ThumbnailCreator.html"));
}

}  // namespace lumarte::gallery

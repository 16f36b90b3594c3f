#include "effects/ui/BaseEffectForm.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/ErrorHandler.h"
#include "effects/ui/ProgressForm.h"
#include "imaging/FileUtils.h"

namespace lumarte::effects {

namespace {

QPixmap& Background() {
  static QPixmap picture;
  return picture;
}

std::function<void(QKeyEvent*)>& KeyForwarder() {
  static std::function<void(QKeyEvent*)> forward;
  return forward;
}

std::function<void(const QString&)>& HelpOpener() {
  static std::function<void(const QString&)> open = [](const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  };
  return open;
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

void TBaseEffectForm::SetDialogBackground(const QPixmap& picture) {
  Background() = picture;
}
void TBaseEffectForm::SetKeyForwarder(std::function<void(QKeyEvent*)> f) {
  KeyForwarder() = std::move(f);
}
void TBaseEffectForm::SetHelpOpener(std::function<void(const QString&)> f) {
  HelpOpener() = std::move(f);
}

TBaseEffectForm::TBaseEffectForm(const EffectRow& row, editor::DocumentList& documents,
                                 QWidget* parent)
    : QDialog(parent),
      Row(row),
      HelpFile(QString::fromStdString(row.HelpPage.empty() ? "help.html" : row.HelpPage)),
      Session(documents, row.Policy, [this](const EffectInput& in) { return ComputeEffect(in); }) {
  setObjectName(QString::fromStdString(row.FormName));
  setWindowTitle(QString::fromStdString(row.FormCaption));
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setScaledContents(true);
  Image1->setPixmap(Background());
  Image1->lower();
  auto* outer = new QVBoxLayout(this);
  Controls = new QVBoxLayout;
  outer->addLayout(Controls);
  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  auto* buttons = new QHBoxLayout(Panel1);
  PreviewButton = Button("PreviewButton", "Preview", Panel1);
  OKButton = Button("OKButton", "OK", Panel1);
  CancelButton = Button("CancelButton", "Cancel", Panel1);
  HelpButton = Button("HelpButton", "Help", Panel1);
  HideButton = Button("HideButton", "Hide", Panel1);
  for (auto* b : {PreviewButton, OKButton, CancelButton, HelpButton, HideButton})
    buttons->addWidget(b);
  outer->addStretch();
  outer->addWidget(Panel1);
  connect(PreviewButton, &QPushButton::clicked, this, [this] { PreviewButtonClick(); });
  connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
  connect(HelpButton, &QPushButton::clicked, this, [this] { HelpButtonClick(); });
  connect(HideButton, &QPushButton::clicked, this, [this] { HideButtonClick(); });
  resize(281, 185);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QSize avail = screen->availableSize();
    if (width() > avail.width()) resize(avail.width() - 40, height());
    if (height() > avail.height()) resize(width(), avail.height() - 40);
  }
}

TBaseEffectForm::~TBaseEffectForm() {
  Session.CancelButtonClick();
}

void TBaseEffectForm::Guarded(const std::function<void()>& step) {
  // Preview or OK pressed inside a running computation (the progress window
  // handles events): refused quietly, and the running computation keeps its
  // progress window, its Abort handler and Busy.
  if (Session.Busy) return;
  TProgress& progress = TProgress::Instance();
  Session.Progress = &progress;
  progress.Begin([this] { Session.Abort(); });
  // Errors reach the user through the program's one error handler.
  ui::RunGuarded([&] {
    try {
      step();
    } catch (...) {
      progress.End();
      Session.Busy = false;
      throw;
    }
  });
  progress.End();
}

void TBaseEffectForm::PreviewButtonClick() {
  Guarded([this] { Session.PreviewButtonClick(); });
}

void TBaseEffectForm::OKButtonClick() {
  if (Session.Busy) return;  // see Guarded
  bool applied = false;
  Guarded([&] { applied = Session.OKButtonClick(); });
  if (applied || Session.Aborted) accept();
}

void TBaseEffectForm::CancelButtonClick() {
  if (Session.Busy) return;
  Session.CancelButtonClick();
  reject();
}

void TBaseEffectForm::HelpButtonClick() {
  HelpOpener()(QString::fromStdString(imaging::ProgramDirectory()) + HelpFile);
}

void TBaseEffectForm::HideButtonClick() {
  hide();
  QMessageBox box(QMessageBox::Question, "Back to Lumarte", "",
                  QMessageBox::Ok | QMessageBox::Cancel, parentWidget());
  // A box with no text is as narrow as its buttons: widen it so the window
  // manager can show the whole caption.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(box.fontMetrics().horizontalAdvance("Back to Lumarte") + 120, 0),
                  grid->rowCount(), 0, 1, grid->columnCount());
  box.exec();
  show();
}

void TBaseEffectForm::showEvent(QShowEvent* e) {
  Session.Show();
  // Shown again where it was hidden: without this the window manager's frame
  // is added to the position at every show.
  if (LastPosition) move(*LastPosition);
  QDialog::showEvent(e);
}

void TBaseEffectForm::hideEvent(QHideEvent* e) {
  LastPosition = pos();
  QDialog::hideEvent(e);
}

void TBaseEffectForm::closeEvent(QCloseEvent* e) {
  Session.FormClose();
  QDialog::closeEvent(e);
}

void TBaseEffectForm::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1) {
    HelpButtonClick();
    return;
  }
  if (e->key() == Qt::Key_Escape) {
    CancelButtonClick();
    return;
  }
  if (KeyForwarder()) KeyForwarder()(e);
}

void TBaseEffectForm::resizeEvent(QResizeEvent* e) {
  Image1->setGeometry(1, 2, width() - 2, height() - 5);
  QDialog::resizeEvent(e);
}

}  // namespace lumarte::effects

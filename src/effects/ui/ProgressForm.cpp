#include "effects/ui/ProgressForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace lumarte::effects {

namespace {
constexpr int kRepaintMs = 50;  // at most about 20 repaints a second
}

TProgress& TProgress::Instance() {
  static TProgress* progress = new TProgress();  // lives as long as the program
  return *progress;
}

TProgress::TProgress() {
  setObjectName("Progress");
  setWindowTitle("Operation In Progress");
  setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
  auto* layout = new QVBoxLayout(this);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, 100);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setReadOnly(true);
  QPalette pal = Edit1->palette();
  pal.setColor(QPalette::Base, QToolTip::palette().color(QPalette::ToolTipBase));
  Edit1->setPalette(pal);
  Button1 = new QPushButton("Abort", this);
  Button1->setObjectName("Button1");
  layout->addWidget(ProgressBar1);
  layout->addWidget(Edit1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  resize(244, 79);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  ResetAbortHandler();
}

void TProgress::SetProgress(int min, int position, const std::string& text, int max) {
  if (SinceRepaint.isValid() && SinceRepaint.elapsed() < kRepaintMs) return;
  SinceRepaint.restart();
  if (!isVisible()) show();
  ProgressBar1->setRange(min, std::max(min, max));
  ProgressBar1->setValue(std::clamp(position, min, std::max(min, max)));
  QString label = QString::fromStdString(text);
  if (Edit1->text() != label) Edit1->setText(label);
  QApplication::processEvents();
}

void TProgress::SetAbortHandler(std::function<void()> handler) {
  AbortHandler = std::move(handler);
}

void TProgress::ResetAbortHandler() {
  AbortHandler = [this] { Edit1->setText("Sorry, Abort not supported by this function!"); };
}

void TProgress::Begin(std::function<void()> abortHandler) {
  AbortFlag = false;
  SinceRepaint.invalidate();
  SetAbortHandler([this, abortHandler] {
    AbortFlag = true;
    if (abortHandler) abortHandler();
  });
}

void TProgress::End() {
  hide();
  ResetAbortHandler();
}

void TProgress::Button1Click() {
  if (AbortHandler) AbortHandler();
}

}  // namespace lumarte::effects

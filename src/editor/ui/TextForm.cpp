#include "editor/ui/TextForm.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumarte::editor {

TTextForm::TTextForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TextForm");
  setWindowTitle("Lumarte");
  Memo = new QPlainTextEdit;
  Memo->setObjectName("Memo1");
  Memo->setReadOnly(true);
  auto* close = new QPushButton("Close");
  close->setObjectName("CloseButton");
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo, 1);
  layout->addWidget(close, 0, Qt::AlignRight);
  resize(420, 300);
}

void TTextForm::SetLines(const std::vector<std::string>& lines) {
  QStringList text;
  for (const auto& l : lines) text << QString::fromStdString(l);
  Memo->setPlainText(text.join('\n'));
}

}  // namespace lumarte::editor

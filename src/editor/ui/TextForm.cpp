#include "editor/ui/TextForm.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace lumarte::editor {

TTextForm::TTextForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TextForm");
  setWindowTitle("Lumarte");
  Memo = new QPlainTextEdit;
  Memo->setObjectName("Memo1");
  Memo->setReadOnly(true);
  // The texts shown here (the readme, image information, HTML code) are laid
  // out in columns and wrapped by hand; re-wrapping them breaks both.
  Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* close = new QPushButton("Close");
  close->setObjectName("CloseButton");
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo, 1);
  layout->addWidget(close, 0, Qt::AlignRight);
  // Room for 80 columns, the width plain texts are wrapped to.
  const QFontMetrics metrics(Memo->font());
  resize(std::max(420, metrics.horizontalAdvance(QString(80, 'M')) + 60), 400);
}

void TTextForm::SetLines(const std::vector<std::string>& lines) {
  QStringList text;
  for (const auto& l : lines) text << QString::fromStdString(l);
  Memo->setPlainText(text.join('\n'));
}

}  // namespace lumarte::editor

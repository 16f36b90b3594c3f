#include "gallery/ui/ImageHTMLOptionsForm.h"

#include <QBoxLayout>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gallery/model/GalleryUndo.h"
#include "gallery/model/Templates.h"
#include "ui/ErrorHandler.h"
#include "ui/Named.h"

namespace lumarte::gallery {

TThumbnailCreatorImageHTMLOptionsForm::TThumbnailCreatorImageHTMLOptionsForm(
    TCreatorPrompts& prompts, QWidget* parent)
    : TStyleOptionsForm("ThumbnailCreatorImageHTMLOptionsForm", "Options Image HTML", parent),
      Memo1(ui::Named(new QPlainTextEdit, "Memo1")),
      Button2(ui::Named(new QPushButton("Load"), "Button2")),
      Prompts(prompts) {
  const char* hint = "<!- IMAGE -> is the place where the Image will be added.";
  Memo1->setToolTip(hint);
  Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Memo1->setMinimumSize(380, 220);
  auto* note = ui::Named(new QLabel(hint), "Label1");
  auto* row = new QHBoxLayout;
  row->addWidget(note, 1);
  row->addWidget(Button2);
  Body->addWidget(Memo1);
  Body->addLayout(row);
  connect(Button2, &QPushButton::clicked, this, [this] { ui::RunGuarded([this] { Button2Click(); }); });
  Load(TGallerySettings());
}

void TThumbnailCreatorImageHTMLOptionsForm::Load(const TGallerySettings& s) {
  QStringList lines;
  for (const std::string& line : s.ImagePageSkeleton) lines << QString::fromStdString(line);
  Memo1->setPlainText(lines.join('\n'));
}

void TThumbnailCreatorImageHTMLOptionsForm::Store(TGallerySettings& s) const {
  s.ImagePageSkeleton = SplitLines(Memo1->toPlainText().toStdString());
}

void TThumbnailCreatorImageHTMLOptionsForm::Button2Click() {
  const std::string file = Prompts.AskOpenFile("HTML|*.html");
  if (file.empty()) return;
  Memo1->setPlainText(QString::fromStdString(ReadWholeFile(file)));
}

}  // namespace lumarte::gallery

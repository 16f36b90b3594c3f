#include "gallery/ui/ListOptionsForm.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace lumarte::gallery {

TThumbnailCreatorListOptionsForm::TThumbnailCreatorListOptionsForm(QWidget* parent)
    : TStyleOptionsForm("ThumbnailCreatorListOptionsForm", "Options List", parent),
      OrderedListRadioButton(Radio("OrderedListRadioButton", "Ordered List")),
      UnorderedListRadioButton(Radio("UnorderedListRadioButton", "Unordered List")) {
  Body->addWidget(RadioGroup("ListKindGroup", "List",
                             {OrderedListRadioButton, UnorderedListRadioButton}));
  CSSClassEdit = AddCssClassRow();
  Load(TGallerySettings());
}

void TThumbnailCreatorListOptionsForm::Load(const TGallerySettings& s) {
  (s.List.Ordered ? OrderedListRadioButton : UnorderedListRadioButton)->setChecked(true);
  CSSClassEdit->setText(QString::fromStdString(s.List.CSSClass));
}

void TThumbnailCreatorListOptionsForm::Store(TGallerySettings& s) const {
  s.List.Ordered = OrderedListRadioButton->isChecked();
  s.List.CSSClass = CSSClassEdit->text().toStdString();
}

}  // namespace lumarte::gallery

#pragma once
// The base of the creator's small option dialogs: modal, OK keeps the
// controls, Cancel puts back what they showed before; the values stay for
// the whole run.
#include <initializer_list>

#include <QDialog>

#include "gallery/model/GalleryProject.h"

class QBoxLayout;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace lumarte::gallery {

class TStyleOptionsForm : public QDialog {
 public:
  TStyleOptionsForm(const char* name, const char* caption, QWidget* parent);
  // The controls from the settings and back.
  virtual void Load(const TGallerySettings& s) = 0;
  virtual void Store(TGallerySettings& s) const = 0;
  // Shows the dialog modally; true on OK.
  bool Execute();

 protected:
  // The dialog's own controls go here, above OK and Cancel.
  QBoxLayout* Body;
  // A "CSS Class" row in the body.
  QLineEdit* AddCssClassRow();
};

// A captioned group of radio buttons, one below the other.
QGroupBox* RadioGroup(const char* name, const QString& caption,
                      std::initializer_list<QRadioButton*> buttons);
QRadioButton* Radio(const char* name, const QString& caption);
// A combo box holding the colour list (template parameters, collage background).
QComboBox* ColourComboBox(const char* name);

}  // namespace lumarte::gallery

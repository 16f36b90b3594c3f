#pragma once
// "Thumbnail Creator Select Template": picks a template of the Templates
// folder, shows its picture and description and edits its eight parameters.
// OK hands the choice to the creator; Cancel puts back what was shown.
#include <string>

#include <QDialog>

#include "gallery/model/GalleryProject.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace lumarte::gallery {

class TThumbnailCreatorTemplateForm : public QDialog {
 public:
  explicit TThumbnailCreatorTemplateForm(QWidget* parent);

  // The Templates folder with its trailing "/"; the list is read from it
  // each time the dialog is shown.
  std::string Folder;

  // Shows the dialog modally; true on OK.
  bool Execute();
  // The selected template, empty when none is selected.
  std::string TemplateName() const;
  bool UseTemplate() const;
  // "no Template" confirmed: nothing is selected any more.
  void ClearSelection();
  // Parameter names and values for the placeholders.
  void StoreParameters(TGallerySettings& s) const;

  // The selection handling for a template name.
  void SelectTemplate(const std::string& name);
  // Colour list k (0..7) chose item.
  void ColourChosen(int k, int item);

  QRadioButton *NoTemplateRadioButton, *UseTemplateRadioButton;
  QComboBox* TemplateComboBox;
  QLabel* Image2;
  QLabel* DescriptionLabel;
  QLabel* ParameterLabel;
  QLabel* Labels[8];
  QLineEdit* Edits[8];
  QComboBox* ComboBoxes[8];

 private:
  struct TShown {
    std::string Template;
    bool Use = false;
    QString Values[8];
  };
  void FillTemplateList();
  void ShowPreview(const std::string& name);
  void ShowParameters(const std::string& tplFile);
  TShown Remember() const;
  void Restore(const TShown& shown);
  QWidget* BuildParameterRows();
};

}  // namespace lumarte::gallery

#pragma once
// "Options Image HTML": the skeleton of the page written for every image when
// the thumbnails link to HTML pages; "Load" takes it from an HTML file.
#include "gallery/ui/CreatorPrompts.h"
#include "gallery/ui/StyleOptionsForm.h"

class QPlainTextEdit;
class QPushButton;

namespace lumarte::gallery {

class TThumbnailCreatorImageHTMLOptionsForm : public TStyleOptionsForm {
 public:
  TThumbnailCreatorImageHTMLOptionsForm(TCreatorPrompts& prompts, QWidget* parent);
  void Load(const TGallerySettings& s) override;
  void Store(TGallerySettings& s) const override;
  void Button2Click();

  QPlainTextEdit* Memo1;
  QPushButton* Button2;

 private:
  TCreatorPrompts& Prompts;
};

}  // namespace lumarte::gallery

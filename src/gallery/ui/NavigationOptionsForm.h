#pragma once
// "Options Navigation": the Previous/Next links have no settings yet; the
// dialog says so.
#include <QDialog>

namespace lumarte::gallery {

class TThumbnailCreatorNavigationOptionsForm : public QDialog {
 public:
  explicit TThumbnailCreatorNavigationOptionsForm(QWidget* parent);
};

}  // namespace lumarte::gallery

#pragma once
// "Open Website": the URL of the page whose images the browser shows.
#include <optional>
#include <string>

#include <QDialog>

class QLineEdit;

namespace lumarte::browser {

class TOpenWebsiteForm : public QDialog {
 public:
  explicit TOpenWebsiteForm(QWidget* parent);
  QLineEdit* Edit1;
  // The text typed, or nothing on Cancel.
  std::optional<std::string> Ask();
};

}  // namespace lumarte::browser

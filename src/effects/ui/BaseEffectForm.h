#pragma once
// The base of every effect dialog: the five buttons, the shared background
// picture, key forwarding to the main window, and the result session that
// previews in the document window and applies with one undo step.
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <QPoint>

#include "effects/model/EffectSession.h"
#include "effects/model/EffectTable.h"

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace lumarte::effects {

class TBaseEffectForm : public QDialog {
 public:
  TBaseEffectForm(const EffectRow& row, editor::DocumentList& documents, QWidget* parent);
  ~TBaseEffectForm() override;

  // The picture behind every effect dialog, set once at start-up.
  static void SetDialogBackground(const QPixmap& picture);
  // Keys other than F1 go to the main window so its shortcuts keep working.
  static void SetKeyForwarder(std::function<void(QKeyEvent*)> forward);
  // Where help pages are opened (the desktop viewer by default; tests replace it).
  static void SetHelpOpener(std::function<void(const QString& path)> open);

  const EffectRow& Row;
  QString HelpFile;
  EffectSession Session;

  QLabel* Image1;
  QWidget* Panel1;
  QPushButton *PreviewButton, *OKButton, *CancelButton, *HelpButton, *HideButton;

  void PreviewButtonClick();
  void OKButtonClick();
  void CancelButtonClick();
  void HelpButtonClick();
  void HideButtonClick();

 protected:
  // The area above the buttons where a dialog puts its controls.
  QVBoxLayout* Controls;
  // Runs the effect for the current control values.
  virtual editor::TBitmap ComputeEffect(const EffectInput& in) = 0;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void Guarded(const std::function<void()>& step);
  std::optional<QPoint> LastPosition;  // where the dialog was when last hidden
};

}  // namespace lumarte::effects

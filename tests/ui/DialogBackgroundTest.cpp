#include <gtest/gtest.h>

#include <QDialog>
#include <QMessageBox>

#include "EventLoop.h"
#include "ui/DialogBackground.h"

using namespace lumarte::ui;

namespace {

QRgb CornerOf(QWidget& dialog) {
  dialog.resize(120, 80);
  dialog.show();
  lumarte::testing::ProcessEventsFor(20);
  QRgb corner = dialog.grab().toImage().pixel(3, 3);
  dialog.hide();
  return corner;
}

TEST(DialogBackground, ProgramDialogsShowThePictureSystemDialogsDoNot) {
  QImage red(8, 8, QImage::Format_RGB32);
  red.fill(QColor(200, 0, 0));
  lumarte::ui::SetDialogBackgroundPicture(red);
  lumarte::ui::InstallDialogBackgrounds();

  QDialog dialog;
  EXPECT_EQ(CornerOf(dialog), qRgb(200, 0, 0));
  QMessageBox box;
  EXPECT_NE(CornerOf(box), qRgb(200, 0, 0));
  lumarte::ui::SetDialogBackgroundPicture(QImage());
  QDialog plain;
  EXPECT_NE(CornerOf(plain), qRgb(200, 0, 0));
}

}  // namespace

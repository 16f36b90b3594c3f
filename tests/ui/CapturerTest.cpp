// The capturer's dialog on fake screen services: where the picture goes,
// refusals before anything is hidden, and the "-CAPTURE" repeat.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "capture/ui/Capturer.h"
#include "imaging/Errors.h"
#include "platform/ScreenCapture.h"
#include "support/QuietDocumentHost.h"
#include "support/ShownMessages.h"

using namespace lumarte;
using namespace lumarte::capture;

namespace {

struct FakeGrabber : TScreenGrabber {
  int* Grabs;
  explicit FakeGrabber(int* grabs) : Grabs(grabs) {}
  void CheckAvailable() const override {}
  editor::TBitmap GrabDesktop() override {
    ++*Grabs;
    return editor::TBitmap(5, 4);
  }
  editor::TBitmap GrabActiveWindow() override { return GrabDesktop(); }
};

struct NoHotKey : TGlobalHotKey {
  void Register(char, std::function<void()>) override { throw ELumarteError("no hot key"); }
  void Unregister() override {}
};

class CapturerTest : public testing::Test {
 protected:
  QuietHost host;
  editor::DocumentList docs{host};
  int grabs = 0, hidden = 0, shown = 0;
  fixtures::ShownMessages messages;

  std::unique_ptr<TCapturer> Make(bool repeat,
                                  std::unique_ptr<TScreenGrabber> grabber = nullptr) {
    TCapturerEditor e{[this] { ++hidden; }, [this] { ++shown; }, repeat};
    if (!grabber) grabber = std::make_unique<FakeGrabber>(&grabs);
    auto form = std::make_unique<TCapturer>(docs, e, std::move(grabber),
                                            std::make_unique<NoHotKey>(), nullptr);
    form->CapturerDesktopRadioButton->setChecked(true);
    form->show();
    return form;
  }
};

TEST_F(CapturerTest, AsNewWithTenImagesRefusesBeforeHiding) {
  for (int k = 0; k < 10; ++k) docs.NewImage(2, 2);
  auto form = Make(false);
  form->OKButton->click();
  EXPECT_EQ(messages.Texts, std::vector<std::string>{editor::kTooManyImages});
  EXPECT_EQ(grabs, 0);
  EXPECT_EQ(hidden, 0);
  EXPECT_TRUE(form->isVisible());
}

TEST_F(CapturerTest, IntoTheCurrentImageWithAnUndoStepThenCloses) {
  docs.NewImage(30, 20);
  auto form = Make(false);
  form->CapturerAsNewCheckbox->setChecked(false);
  form->OKButton->click();
  EXPECT_TRUE(messages.Texts.empty());
  EXPECT_EQ(docs.Current().Bitmap->Width(), 5);
  ASSERT_NE(docs.Current().Undo[1], nullptr);
  EXPECT_EQ(docs.Current().Undo[1]->Width(), 30);
  EXPECT_EQ(docs.Slot(1).InUse, false);
  EXPECT_EQ(hidden, 1);
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(CapturerTest, StartedForCapturingTheDialogComesBack) {
  auto form = Make(true);
  form->OKButton->click();
  form->OKButton->click();
  EXPECT_EQ(grabs, 2);
  EXPECT_TRUE(docs.Slot(0).InUse && docs.Slot(1).InUse);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(shown, 2);
}

TEST_F(CapturerTest, WithoutX11TheCaptureSaysSo) {
  if (QGuiApplication::platformName() == "xcb") GTEST_SKIP() << "runs on an X11 display";
  auto form = Make(false, platform::CreateScreenGrabber());
  form->OKButton->click();
  EXPECT_EQ(messages.Texts, std::vector<std::string>{platform::kNeedsX11Session});
  EXPECT_EQ(hidden, 0);
}

TEST_F(CapturerTest, HotKeyRefusedShowsTheDialogAgain) {
  auto form = Make(false);
  form->CapturerHotKeyRadioButton->setChecked(true);
  form->OKButton->click();
  EXPECT_EQ(messages.Texts, std::vector<std::string>{"no hot key"});
  EXPECT_FALSE(docs.Current().InUse);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(shown, 1);
}

}  // namespace

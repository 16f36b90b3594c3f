// The Edit menu: undo and redo, the clipboard, new images from the current one.
#include <QMenu>

#include "editor/ui/MainWindow.h"
#include "imaging/Errors.h"

namespace lumarte::editor {

void TForm1::BuildEditMenu() {
  QMenu* menu = AddMenu("LMEdit1", "Edit");
  AddItems(menu, {
                     {"LMUndo1", "Undo", "Ctrl+Z", Do(&TForm1::LMUndo1Click)},
                     {"LMRedo1", "Redo", "Ctrl+Shift+Z", Do(&TForm1::LMRedo1Click)},
                     {},
                     {"LMCopy1", "Copy", "Ctrl+C", Do(&TForm1::LMCopy1Click)},
                     {"LMPasteInsert1", "Paste Insert", "Ctrl+V", {}},
                     {"LMPasteasNew1", "Paste as New", "Ctrl+P", Do(&TForm1::LMPasteasNew1Click)},
                     {},
                     {"LMMoveto1", "Send Image As New Image to Images Window", nullptr,
                      Do(&TForm1::LMMoveto1Click)},
                     {"LMSendToanewLumartewindow1", "Send to a new Lumarte window", nullptr,
                      Do(&TForm1::LMSendToanewLumartewindow1Click)},
                 });
}

void TForm1::LMUndo1Click() {
  Docs.LMUndo1Click();
}
void TForm1::LMRedo1Click() {
  Docs.LMRedo1Click();
}

namespace {

// The window's clipboard functions as the selection commands see them.
class TWindowClipboard : public TPictureClipboard {
 public:
  explicit TWindowClipboard(TForm1& w) : Window(w) {}
  void SetPicture(const TBitmap& picture) override { Window.WriteClipboard(picture); }
  std::optional<TBitmap> Picture() const override { return Window.ReadClipboard(); }

 private:
  TForm1& Window;
};

}  // namespace

// The selection's bounding block, or the whole image with nothing selected.
void TForm1::LMCopy1Click() {
  TWindowClipboard clipboard(*this);
  Selections.LMCopy1Click(clipboard);
}

void TForm1::LMPasteasNew1Click() {
  Docs.CheckRoom();
  std::optional<TBitmap> picture = ReadClipboard();
  Docs.PasteAsNew(picture ? &*picture : nullptr);
}

void TForm1::LMMoveto1Click() {
  Docs.LMMoveto1Click();
}

void TForm1::LMSendToanewLumartewindow1Click() {
  LMCopy1Click();
  StartInstance({"-clip"});
}

}  // namespace lumarte::editor

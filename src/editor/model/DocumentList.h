#pragma once
// The ten-slot list of open images with undo and redo. Slot 0 is the current
// image. The window drives these operations and redraws when told to.
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "editor/model/Document.h"
#include "editor/model/SelectionTest.h"

namespace lumarte::editor {

enum class TSaveChangedAnswer { Save, SaveAs, DontSave, Cancel };

// What the document list needs from its window: answers to questions, the
// save and open commands, and notice of every refreshed slot.
class DocumentHost {
 public:
  virtual ~DocumentHost() = default;
  virtual TSaveChangedAnswer AskSaveChanged() = 0;
  virtual void SaveCurrent() = 0;
  virtual void SaveCurrentAs() = 0;
  virtual void OpenIntoFreeSlot() = 0;
  virtual void AddRecentFile(const std::string& fileName) = 0;
  virtual void DocumentRefreshed(int /*slot*/) {}
  // The displayed raster changed between the document's and a preview.
  virtual void PreviewChanged() {}
  virtual void FitWindowToImage() {}
};

struct ImagesMenuItem {
  std::string Caption;
  bool Visible = false;
};

extern const char* const kTooManyImages;

class DocumentList {
 public:
  explicit DocumentList(DocumentHost& host);

  TBM& Current() { return *Slots[0]; }
  const TBM& Current() const { return *Slots[0]; }
  TBM& Slot(int k) { return *Slots.at(k); }
  const TBM& Slot(int k) const { return *Slots.at(k); }

  // The picture slot 0 shows while nothing is open.
  void SetPlaceholder(const TBitmap& picture);
  const TBitmap& Placeholder() const { return PlaceholderPicture; }

  double ZoomFactor = 1.0;
  bool UndoEnabled = false;
  bool RedoEnabled = false;
  bool PaintingInProgress = false;
  bool Cancelled = false;
  // The select-by-colour dialog's reference colour and width.
  TSelectByColor SelectByColor;

  // The per-pixel selection test of the current document.
  TSelectionTest SelectionTest() {
    return TSelectionTest(*Current().Selection, *Current().Bitmap, SelectByColor);
  }

  void PushUndo();
  void LMUndo1Click();
  void LMRedo1Click();
  // Double-click on history thumbnail k: 1 = redo picture, 2..10 = Undo[1..9].
  void HistoryPick(int k);
  void NewDocumentSlot();
  // Model side of New: a white raster of the given size in a new slot 0.
  void NewImage(int width, int height);
  // Model side of Paste as New; clipboard empty when picture is absent.
  void PasteAsNew(const TBitmap* picture);
  void LMMoveto1Click();
  // Choosing slot k of the Images menu or window.
  void SwitchTo(int k);
  void LMClose1Click();
  void LMCloseAll1Click();
  // Split colors (RGB): three new documents holding the current image's red,
  // green and blue parts; blue ends current. Needs three free slots.
  void LMRGBSplitImage1Click();
  // Puts a loaded image into a fresh slot 0 (the open path of the window).
  TBM& AddDocument(std::unique_ptr<TBitmap> raster, const std::string& fileName);

  // The effect dialogs' preview: shown in place of the current raster.
  void ShowPreview(const TBitmap* preview) {
    Preview = preview;
    Host.PreviewChanged();
  }
  void EndPreview() {
    if (!Preview) return;
    Preview = nullptr;
    Host.PreviewChanged();
  }
  bool PreviewActive() const { return Preview != nullptr; }
  // After a change of the displayed image's size.
  void FitWindow() { Host.FitWindowToImage(); }
  const TBitmap& DisplayedRaster() const { return Preview ? *Preview : *Slots[0]->Bitmap; }

  bool IsFull() const { return Slots[9]->InUse; }
  void CheckRoom() const;
  void Refresh(int slot);
  void RefreshAll();
  std::array<ImagesMenuItem, kSlotCount> ImagesMenu() const;
  // History thumbnail k (1..10): the raster, or null for an absent level.
  const TBitmap* HistoryRaster(int k) const;
  std::string HistoryHint(int k) const;
  std::string DocumentHint(int slot) const;

  // After undo, redo, open, save and switching: a view wider or higher than
  // 2000 pixels goes back to zoom 1.0.
  void ApplyZoomRule();

 private:
  void ApplyUndoMemoryRule();
  void MoveSlotContents(TBM& from, TBM& to);
  std::array<std::unique_ptr<TBM>, kSlotCount> Slots;
  TBitmap PlaceholderPicture;
  const TBitmap* Preview = nullptr;
  bool RedoInProgress = false;
  DocumentHost& Host;
};

}  // namespace lumarte::editor

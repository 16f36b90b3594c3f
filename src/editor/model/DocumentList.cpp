#include "editor/model/DocumentList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "imaging/Errors.h"

namespace lumarte::editor {

const char* const kTooManyImages =
    "Too many open images! Solution: Close an image before you open a new one.";

namespace {

std::string Trim(const std::string& s) {
  auto b = std::find_if_not(s.begin(), s.end(), [](unsigned char c) { return c <= ' '; });
  auto e = std::find_if_not(s.rbegin(), s.rend(), [](unsigned char c) { return c <= ' '; });
  return b < e.base() ? std::string(b, e.base()) : std::string();
}

}  // namespace

DocumentList::DocumentList(DocumentHost& host) : Host(host) {
  for (int k = 0; k < kSlotCount; ++k) Slots[k] = std::make_unique<TBM>(k);
}

void DocumentList::SetPlaceholder(const TBitmap& picture) {
  PlaceholderPicture = picture;
  if (!Slots[0]->InUse) *Slots[0]->Bitmap = picture;
}

void DocumentList::CheckRoom() const {
  if (IsFull()) throw ELumarteError(kTooManyImages);
}

void DocumentList::PushUndo() {
  TBM& d = Current();
  // Copy first: if memory runs out the chain is still intact.
  auto copy = std::make_unique<TBitmap>(*d.Bitmap);
  UndoEnabled = true;
  if (!RedoInProgress) d.Redo.reset();
  for (int i = kUndoLevels; i > 1; --i) d.Undo[i] = std::move(d.Undo[i - 1]);
  d.Undo[1] = std::move(d.Bitmap);
  d.Bitmap = std::move(copy);
  Refresh(0);
  PaintingInProgress = false;
}

void DocumentList::LMUndo1Click() {
  TBM& d = Current();
  if (!d.Undo[1]) return;
  d.Redo = std::move(d.Bitmap);
  RedoEnabled = true;
  d.Bitmap = std::move(d.Undo[1]);
  for (int i = 1; i < kUndoLevels; ++i) d.Undo[i] = std::move(d.Undo[i + 1]);
  if (!d.Undo[1]) UndoEnabled = false;
  ApplyZoomRule();
  Refresh(0);
}

void DocumentList::LMRedo1Click() {
  TBM& d = Current();
  if (!d.Redo) return;
  RedoInProgress = true;
  try {
    PushUndo();
  } catch (...) {
    RedoInProgress = false;
    throw;
  }
  RedoInProgress = false;
  d.Bitmap = std::move(d.Redo);
  RedoEnabled = false;
  ApplyZoomRule();
  Refresh(0);
}

void DocumentList::HistoryPick(int k) {
  TBM& d = Current();
  if (k == 1) {
    if (d.Redo) LMRedo1Click();
    return;
  }
  if (k < 2 || k > kUndoLevels + 1 || !d.Undo[k - 1]) return;
  auto copy = std::make_unique<TBitmap>(*d.Undo[k - 1]);
  if (d.Redo) {
    for (int i = kUndoLevels; i >= 3; --i) d.Undo[i] = std::move(d.Undo[i - 2]);
    d.Undo[2] = std::move(d.Bitmap);
    d.Undo[1] = std::move(d.Redo);
  } else {
    for (int i = kUndoLevels; i >= 2; --i) d.Undo[i] = std::move(d.Undo[i - 1]);
    d.Undo[1] = std::move(d.Bitmap);
  }
  d.Bitmap = std::move(copy);
  RedoEnabled = false;
  RefreshAll();
}

void DocumentList::MoveSlotContents(TBM& from, TBM& to) {
  to.Bitmap = std::move(from.Bitmap);
  to.Undo = std::move(from.Undo);
  to.Redo = std::move(from.Redo);
  to.InUse = from.InUse;
  to.JpegQuality = from.JpegQuality;
  to.JpegProgressive = from.JpegProgressive;
  to.HasTransparency = from.HasTransparency;
  to.TransparentColor = from.TransparentColor;
  to.IsJpeg2000 = from.IsJpeg2000;
  to.NeedsSaveAs = from.NeedsSaveAs;
  to.Modified = from.Modified;
  to.FileName = std::move(from.FileName);
  to.Selection = std::move(from.Selection);
}

void DocumentList::NewDocumentSlot() {
  CheckRoom();
  // The last slot is free: dropping its (placeholder) contents loses nothing.
  for (int k = kSlotCount - 1; k >= 1; --k) MoveSlotContents(*Slots[k - 1], *Slots[k]);
  Slots[0]->Reset();
  for (int k = 1; k < kSlotCount; ++k) Refresh(k);
  Refresh(0);
}

void DocumentList::NewImage(int width, int height) {
  CheckRoom();
  if (width <= 0 || height <= 0) throw ELumarteError("Width or Height must be greater than 0.");
  auto raster = std::make_unique<TBitmap>(width, height);
  NewDocumentSlot();
  TBM& d = Current();
  d.Bitmap = std::move(raster);
  d.JpegQuality = 50;
  d.JpegProgressive = true;
  d.NeedsSaveAs = true;
  d.InUse = true;
  Refresh(0);
  Host.FitWindowToImage();
}

void DocumentList::PasteAsNew(const TBitmap* picture) {
  CheckRoom();
  if (!picture) throw ELumarteError("Nothing on Clipboard!");
  auto raster = std::make_unique<TBitmap>(*picture);
  NewDocumentSlot();
  TBM& d = Current();
  d.FileName = "New";
  d.NeedsSaveAs = true;
  d.JpegQuality = 50;
  d.JpegProgressive = true;
  d.Bitmap = std::move(raster);
  d.Modified = false;
  d.InUse = true;
  Refresh(0);
  Host.FitWindowToImage();
}

TBM& DocumentList::AddDocument(std::unique_ptr<TBitmap> raster, const std::string& fileName) {
  CheckRoom();
  NewDocumentSlot();
  TBM& d = Current();
  d.Bitmap = std::move(raster);
  d.FileName = fileName;
  d.InUse = true;
  ApplyZoomRule();
  Refresh(0);
  return d;
}

void DocumentList::LMMoveto1Click() {
  CheckRoom();
  int k = 1;
  while (k < kSlotCount && Slots[k]->InUse) ++k;
  if (k == kSlotCount) return;
  TBM& d = Current();
  TBM& target = *Slots[k];
  target.Reset();
  target.Bitmap = std::make_unique<TBitmap>(*d.Bitmap);
  target.Modified = target.NeedsSaveAs = target.InUse = true;
  if (!d.InUse) {
    d.Modified = d.NeedsSaveAs = d.InUse = true;
    d.FileName.clear();
  }
  Refresh(k);
  Refresh(0);
}

void DocumentList::SwitchTo(int k) {
  if (k <= 0 || k >= kSlotCount) return;
  if (!Slots[k]->InUse) {
    Host.OpenIntoFreeSlot();
    return;
  }
  std::swap(Slots[0], Slots[k]);
  Slots[0]->Slot = 0;
  Slots[k]->Slot = k;
  ApplyZoomRule();
  Refresh(k);
  Refresh(0);
  Host.FitWindowToImage();
}

void DocumentList::LMClose1Click() {
  Cancelled = false;
  TBM& d = Current();
  if (!d.InUse) return;
  if (d.Modified) {
    switch (Host.AskSaveChanged()) {
      case TSaveChangedAnswer::Save: Host.SaveCurrent(); break;
      case TSaveChangedAnswer::SaveAs: Host.SaveCurrentAs(); break;
      case TSaveChangedAnswer::DontSave: break;
      case TSaveChangedAnswer::Cancel:
        Cancelled = true;
        throw ELumarteError("Operation Cancelled.");
    }
  }
  std::error_code ec;
  if (!Current().FileName.empty() && std::filesystem::is_regular_file(Current().FileName, ec))
    Host.AddRecentFile(Current().FileName);
  for (int k = 0; k < kSlotCount - 1; ++k) MoveSlotContents(*Slots[k + 1], *Slots[k]);
  Slots[kSlotCount - 1]->Reset();
  if (!Slots[0]->InUse) *Slots[0]->Bitmap = PlaceholderPicture;
  UndoEnabled = RedoEnabled = false;
  RefreshAll();
  Host.FitWindowToImage();
}

void DocumentList::LMCloseAll1Click() {
  Cancelled = false;
  while (Current().InUse && !Cancelled) LMClose1Click();
}

void DocumentList::ApplyZoomRule() {
  const TBitmap& b = *Current().Bitmap;
  if (std::max(b.Width(), b.Height()) * ZoomFactor > 2000) ZoomFactor = 1.0;
}

void DocumentList::ApplyUndoMemoryRule() {
  TBM& d = Current();
  int64_t pixels = int64_t{d.Bitmap->Width()} * d.Bitmap->Height();
  int keep = pixels > 3000000 ? 1 : pixels > 1000000 ? 3 : kUndoLevels;
  for (int i = keep + 1; i <= kUndoLevels; ++i) d.Undo[i].reset();
}

void DocumentList::Refresh(int slot) {
  if (slot == 0) {
    ApplyUndoMemoryRule();
    UndoEnabled = Current().Undo[1] != nullptr;
    RedoEnabled = Current().Redo != nullptr;
  }
  Host.DocumentRefreshed(slot);
}

void DocumentList::RefreshAll() {
  for (int k = kSlotCount - 1; k >= 0; --k) Refresh(k);
}

std::array<ImagesMenuItem, kSlotCount> DocumentList::ImagesMenu() const {
  std::array<ImagesMenuItem, kSlotCount> items;
  for (int k = 0; k < kSlotCount; ++k) {
    std::string name = Trim(Slots[k]->FileName);
    items[k].Caption = name.empty() ? "no name" : name;
    items[k].Visible = k == 0 || Slots[k]->InUse;
  }
  return items;
}

const TBitmap* DocumentList::HistoryRaster(int k) const {
  const TBM& d = Current();
  if (k == 1) return d.Redo.get();
  if (k >= 2 && k <= kUndoLevels + 1) return d.Undo[k - 1].get();
  return nullptr;
}

std::string DocumentList::HistoryHint(int k) const {
  if (!HistoryRaster(k)) return "no pic";
  return k == 1 ? "REDO" : "UNDO " + std::to_string(k - 1);
}

std::string DocumentList::DocumentHint(int slot) const {
  const TBM& d = Slot(slot);
  return d.InUse ? d.FileName : "no pic";
}

}  // namespace lumarte::editor

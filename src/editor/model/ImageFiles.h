#pragma once
// Image files as documents and documents as image files: the open and save
// branches chosen by the file name's extension.
#include <memory>
#include <optional>
#include <string>

#include "editor/model/DocumentList.h"
#include "editor/model/EditorPrompts.h"

namespace lumarte::editor {

// GIF: the first frame; metafiles: rendered at their own size; everything
// else through the codec registry.
std::unique_ptr<TBitmap> LoadImageFile(const std::string& name);

// False for a missing file. GIF and metafile names count as valid without
// being read; other files are decoded. With report set, a file that does
// not decode is announced in the "Not a valid image!" box.
bool IsValidImage(const std::string& name, TEditorPrompts* report = nullptr);

// What a file brings into a document: its raster and the save options its
// format implies.
struct TLoadedImage {
  std::unique_ptr<TBitmap> Raster;
  bool HasTransparency = false;
  int32_t TransparentColor = -1;
  int32_t JpegQuality = -1;
  bool IsJpeg2000 = false;
};

TLoadedImage ReadImageFile(const std::string& name);

// IsValidImage and ReadImageFile in one: the file is decoded only once.
// Nothing when IsValidImage would be false; GIF and metafile failures raise.
std::optional<TLoadedImage> ReadValidImage(const std::string& name, TEditorPrompts* report);

// Reads the file and, once it has been read, makes room in slot 0 and makes
// it the current document; a file that fails to read leaves the list as it
// was. The window's zoom factor shrinks for large images.
void LoadIntoCurrent(DocumentList& docs, const std::string& name);
// The second half of LoadIntoCurrent, for an image already read.
void PutIntoNewSlot(DocumentList& docs, const std::string& name, TLoadedImage image);

struct TSaveContext {
  // Centre of the colour set's transparent colour interval.
  TColor CurrentTransparentColor = clBlack;
};

// Saves by the extension of name, asking the format's options first.
// Returns false when the user cancelled and nothing was written. The
// document's fields change only after the file has been written.
bool SaveDocument(TBM& doc, const std::string& name, TSaveQuestions& ask,
                  const TSaveContext& context = {});

}  // namespace lumarte::editor

#include "editor/model/ImageFiles.h"

#include <filesystem>

#include "editor/model/DocumentCodecs.h"
#include "editor/model/MetafileAccess.h"
#include "editor/model/RasterConversion.h"
#include "imaging/Errors.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::editor {

namespace {

bool FileExists(const std::string& name) {
  std::error_code ec;
  return !name.empty() && std::filesystem::is_regular_file(name, ec);
}

bool IsMetafile(TImageFormat f) {
  return f == TImageFormat::Wmf || f == TImageFormat::Emf;
}

std::unique_ptr<TBitmap> LoadThroughRegistry(const std::string& name) {
  imaging::TRevedBitmap buffer;
  buffer.LoadFromFile(name);
  auto raster = std::make_unique<TBitmap>();
  AssignTo(buffer, *raster);
  return raster;
}

// The raster and whatever the format says about transparency, in one read.
TLoadedImage LoadWithExtras(const std::string& name) {
  TLoadedImage image;
  image.Raster = std::make_unique<TBitmap>();
  TTransparency t;
  switch (FormatOfFileName(name)) {
    case TImageFormat::Gif:
      t = LoadGifFile(name, *image.Raster);
      break;
    case TImageFormat::Png:
      t = LoadPngFile(name, *image.Raster);
      break;
    case TImageFormat::Wmf:
    case TImageFormat::Emf:
      LoadMetafileInto(name, *image.Raster);
      break;
    default:
      image.Raster = LoadThroughRegistry(name);
      break;
  }
  image.HasTransparency = t.Transparent;
  image.TransparentColor = static_cast<int32_t>(t.Color);
  switch (FormatOfFileName(name)) {
    case TImageFormat::Jpeg:
      image.JpegQuality = 70;
      break;
    case TImageFormat::Jpeg2000:
      image.IsJpeg2000 = true;
      break;
    default:
      break;
  }
  return image;
}

}  // namespace

std::unique_ptr<TBitmap> LoadImageFile(const std::string& name) {
  return LoadWithExtras(name).Raster;
}

TLoadedImage ReadImageFile(const std::string& name) {
  return LoadWithExtras(name);
}

std::optional<TLoadedImage> ReadValidImage(const std::string& name, TEditorPrompts* report) {
  if (!FileExists(name)) return std::nullopt;
  TImageFormat f = FormatOfFileName(name);
  if (f == TImageFormat::Gif || IsMetafile(f)) return LoadWithExtras(name);
  try {
    return LoadWithExtras(name);
  } catch (const EAbort&) {
    return std::nullopt;  // the user cancelled a choice inside the file: skip it quietly
  } catch (const std::exception&) {
    if (report) report->ShowError("Not a valid image!", "Error Occured");
    return std::nullopt;
  }
}

bool IsValidImage(const std::string& name, TEditorPrompts* report) {
  if (!FileExists(name)) return false;
  TImageFormat f = FormatOfFileName(name);
  if (f == TImageFormat::Gif || IsMetafile(f)) return true;
  return ReadValidImage(name, report).has_value();
}

void PutIntoNewSlot(DocumentList& docs, const std::string& name, TLoadedImage image) {
  docs.NewDocumentSlot();
  TBM& d = docs.Current();
  d.Bitmap = std::move(image.Raster);
  d.NeedsSaveAs = true;
  d.FileName = name;
  d.InUse = true;
  d.JpegQuality = image.JpegQuality;
  d.JpegProgressive = true;
  d.HasTransparency = image.HasTransparency;
  d.TransparentColor = image.TransparentColor;
  d.IsJpeg2000 = image.IsJpeg2000;
  docs.ZoomFactor = ZoomForOpenedImage(d.Bitmap->Width(), d.Bitmap->Height(), docs.ZoomFactor);
  docs.Refresh(0);
}

void LoadIntoCurrent(DocumentList& docs, const std::string& name) {
  docs.CheckRoom();
  PutIntoNewSlot(docs, name, ReadImageFile(name));
}

namespace {

// The branches that record a saved file in the document.
void MarkSaved(TBM& doc, const std::string& name) {
  doc.NeedsSaveAs = false;
  doc.FileName = name;
  doc.JpegQuality = -1;
  doc.Modified = false;
}

bool SaveJpeg2000(TBM& doc, const std::string& name, TSaveQuestions& ask) {
  if (!ask.AskJpeg2000Options(*doc.Bitmap)) return false;
  imaging::TRevedBitmap buffer;
  AssignFromRaster(buffer, *doc.Bitmap);
  std::string target = Jpeg2000FileName(name);
  buffer.SaveToFile(target);
  doc.FileName = target;
  return true;
}

bool SaveJpeg(TBM& doc, const std::string& name, TSaveQuestions& ask) {
  auto choice = ask.AskJpegOptions(*doc.Bitmap);
  if (!choice) return false;
  WriteJpegFile(name, *doc.Bitmap, choice->Quality, choice->Progressive);
  MarkSaved(doc, name);
  doc.JpegQuality = choice->Quality;
  doc.JpegProgressive = choice->Progressive;
  return true;
}

void SavePng(TBM& doc, const std::string& name, TSaveQuestions& ask, const TSaveContext& context) {
  TPngSaveQuestion question;
  question.DocumentTransparent = doc.HasTransparency;
  question.DocumentColor = doc.Bitmap->TransparentColor();
  question.CurrentColor = context.CurrentTransparentColor;
  bool transparent = false;
  TColor color = 0x1FFFFFFF;
  switch (ask.AskPngTransparency(*doc.Bitmap, question)) {
    case TPngTransparency::Original:
      transparent = doc.HasTransparency;
      color = static_cast<TColor>(doc.TransparentColor);
      break;
    case TPngTransparency::CurrentColor:
      transparent = true;
      color = question.CurrentColor;
      break;
    case TPngTransparency::NotTransparent:
      break;
  }
  WritePngFile(name, *doc.Bitmap, transparent, color);
  MarkSaved(doc, name);
}

}  // namespace

bool SaveDocument(TBM& doc, const std::string& name, TSaveQuestions& ask,
                  const TSaveContext& context) {
  switch (FormatOfFileName(name)) {
    case TImageFormat::Gif:
      // A GIF holds at most 256 colours: the document keeps its name and
      // stays modified, so the full-colour image is not taken as saved.
      WriteGifFile(name, *doc.Bitmap);
      return true;
    case TImageFormat::Jpeg2000:
      return SaveJpeg2000(doc, name, ask);
    case TImageFormat::Bmp: {
      // Cancel writes the raster as it is.
      int bits = ask.AskBitmapDepth(*doc.Bitmap).value_or(24);
      WriteBmpFile(name, *doc.Bitmap, bits);
      MarkSaved(doc, name);
      return true;
    }
    case TImageFormat::Png:
      SavePng(doc, name, ask, context);
      return true;
    case TImageFormat::Wmf:
    case TImageFormat::Emf:
      SaveRasterAsMetafile(name, *doc.Bitmap);
      // The metafile branch takes the name but leaves Modified as it was.
      doc.NeedsSaveAs = false;
      doc.FileName = name;
      doc.JpegQuality = -1;
      return true;
    case TImageFormat::Jpeg:
      return SaveJpeg(doc, name, ask);
    case TImageFormat::Ico:
    case TImageFormat::Other:
      break;
  }
  throw ELumarteError("Format not supported!");
}

}  // namespace lumarte::editor

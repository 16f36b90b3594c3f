#include "editor/model/FileCommands.h"

#include <filesystem>

#include "editor/model/ProgramState.h"
#include "imaging/Errors.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::editor {

const char* const kNotAllOpened =
    "Lumarte was not able to open all pictures, as only 10 images can be open at a time.";

void TFileCommands::OpenOne(const std::string& name, TLoadedImage image) {
  PutIntoNewSlot(Docs, name, std::move(image));
}

void TFileCommands::LMOpen1Click() {
  Docs.CheckRoom();
  auto names =
      Prompts.AskOpenFileNames(OpenDialogFilter(imaging::BitmapLoaders().CombinedLoadFilter()));
  OpenFiles(names);
}

void TFileCommands::OpenFiles(const std::vector<std::string>& names) {
  if (names.empty()) return;
  Docs.CheckRoom();
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0 && Docs.IsFull()) throw ELumarteError(kNotAllOpened);
    auto image = ReadValidImage(names[i], &Prompts);
    if (!image) continue;
    OpenOne(names[i], std::move(*image));
    if (i == 0) {
      Host.FitWindowToImage();
    } else {
      Docs.ApplyZoomRule();
      Docs.Refresh(0);
    }
  }
}

void TFileCommands::OpenStartupFiles(const std::vector<std::string>& names) {
  size_t count = std::min<size_t>(names.size(), kSlotCount);
  for (size_t i = 0; i < count; ++i) {
    auto image = ReadValidImage(names[i], nullptr);
    if (!image) continue;
    OpenOne(names[i], std::move(*image));
    Host.FitWindowToImage();
  }
}

void TFileCommands::N110Click(int k) {
  const std::string& name = Recent.Entry(k);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(name, ec)) throw ELumarteError("Picture not found.");
  Docs.CheckRoom();
  auto image = ReadValidImage(name, &Prompts);
  if (!image) throw ELumarteError("Picture not found or not valid.");
  OpenOne(name, std::move(*image));
  Docs.ApplyZoomRule();
  Docs.Refresh(0);
  Host.FitWindowToImage();
}

namespace {

// What the save branches read from the program's colours, as they are now.
TSaveContext CurrentSaveContext() {
  return TSaveContext{ProgramState().Colours.TCI.Color()};
}

}  // namespace

bool TFileCommands::LMSave1Click() {
  TBM& d = Docs.Current();
  if (d.NeedsSaveAs || !d.InUse || d.FileName.empty()) return LMSaveas1Click();
  bool saved = SaveDocument(d, d.FileName, Prompts, CurrentSaveContext());
  Docs.ApplyZoomRule();
  Docs.Refresh(0);
  return saved;
}

std::string TFileCommands::CheckedSaveName(std::string name) {
  if (HasSaveExtension(name)) return name;
  try {
    return WithChosenExtension(name, Prompts.AskSaveFormat());
  } catch (const std::exception&) {
    Prompts.ShowError("File Format not supported! Please select other format, e.g. .jpg",
                      "Lumarte Error");
    return name;
  }
}

bool TFileCommands::LMSaveas1Click() {
  std::string name = Prompts.AskSaveFileName(kSaveDialogFilter, Docs.Current().FileName);
  if (name.empty()) return false;
  name = CheckedSaveName(name);
  bool saved = SaveDocument(Docs.Current(), name, Prompts, CurrentSaveContext());
  Docs.ApplyZoomRule();
  Docs.Refresh(0);
  return saved;
}

void TFileCommands::LMNew1Click() {
  Docs.CheckRoom();
  auto size = Prompts.AskNewImageSize();
  if (!size) return;
  Docs.NewImage(size->Width, size->Height);
}

std::vector<std::string> TFileCommands::ImageInformation() const {
  const TBM& d = Docs.Current();
  return {"Image Information", "", "FileName: " + d.FileName,
          "Width: " + std::to_string(d.Bitmap->Width()),
          "Height: " + std::to_string(d.Bitmap->Height())};
}

void TFileCommands::LMImageInformation1Click() {
  Prompts.ShowText(ImageInformation());
}

}  // namespace lumarte::editor

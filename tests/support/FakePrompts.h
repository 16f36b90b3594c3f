#pragma once
// Answers every question of the editor from queues the test fills, and
// records what was shown.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "editor/model/EditorPrompts.h"

namespace lumarte::fixtures {

template <typename T>
T Next(std::deque<T>& answers, T fallback) {
  if (answers.empty()) return fallback;
  T a = answers.front();
  answers.pop_front();
  return a;
}

class FakePrompts : public editor::TEditorPrompts {
 public:
  std::deque<std::vector<std::string>> OpenAnswers;
  std::deque<std::string> SaveNameAnswers;
  std::deque<editor::TSaveFormatChoice> FormatAnswers;
  std::deque<editor::TSaveChangedAnswer> SaveChangedAnswers;
  std::deque<std::optional<editor::TImageSize>> NewSizeAnswers;
  std::deque<std::optional<int>> BitmapDepthAnswers;
  std::deque<editor::TPngTransparency> PngAnswers;
  std::deque<std::optional<editor::TJpegSaveChoice>> JpegAnswers;
  std::deque<bool> Jpeg2000Answers;

  std::vector<std::string> Messages;  // ShowMessage texts
  std::vector<std::string> Errors;    // "caption: text"
  std::vector<std::vector<std::string>> Texts;
  std::vector<std::string> Asked;  // which questions came, in order
  std::string LastOpenFilter, LastSaveFilter, LastSavePreset;
  editor::TPngSaveQuestion LastPngQuestion;

  std::vector<std::string> AskOpenFileNames(const std::string& filter) override {
    Asked.push_back("open");
    LastOpenFilter = filter;
    return Next(OpenAnswers, {});
  }
  std::string AskSaveFileName(const std::string& filter, const std::string& preset) override {
    Asked.push_back("save");
    LastSaveFilter = filter;
    LastSavePreset = preset;
    return Next(SaveNameAnswers, std::string());
  }
  editor::TSaveFormatChoice AskSaveFormat() override {
    Asked.push_back("format");
    return Next(FormatAnswers, editor::TSaveFormatChoice::Jpg);
  }
  editor::TSaveChangedAnswer AskSaveChanged() override {
    Asked.push_back("changed");
    return Next(SaveChangedAnswers, editor::TSaveChangedAnswer::DontSave);
  }
  std::optional<editor::TImageSize> AskNewImageSize() override {
    Asked.push_back("new");
    return Next(NewSizeAnswers, std::optional<editor::TImageSize>());
  }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  void ShowError(const std::string& text, const std::string& caption) override {
    Errors.push_back(caption + ": " + text);
  }
  void ShowText(const std::vector<std::string>& lines) override { Texts.push_back(lines); }
  std::optional<int> AskBitmapDepth(const editor::TBitmap&) override {
    Asked.push_back("bmp");
    return Next(BitmapDepthAnswers, std::optional<int>(24));
  }
  editor::TPngTransparency AskPngTransparency(const editor::TBitmap&,
                                              editor::TPngSaveQuestion& q) override {
    Asked.push_back("png");
    LastPngQuestion = q;
    return Next(PngAnswers, editor::TPngTransparency::NotTransparent);
  }
  std::optional<editor::TJpegSaveChoice> AskJpegOptions(const editor::TBitmap&) override {
    Asked.push_back("jpeg");
    return Next(JpegAnswers, std::optional<editor::TJpegSaveChoice>(editor::TJpegSaveChoice{}));
  }
  bool AskJpeg2000Options(const editor::TBitmap&) override {
    Asked.push_back("jp2");
    return Next(Jpeg2000Answers, true);
  }
};

}  // namespace lumarte::fixtures

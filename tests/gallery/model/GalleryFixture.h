#pragma once
// A gallery project over a temporary folder, with generated source pictures,
// a progress window that can press Abort and answers to the run's questions.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/model/DocumentCodecs.h"
#include "gallery/model/GalleryProject.h"
#include "gallery/model/GalleryRun.h"
#include "gallery/model/GalleryUndo.h"
#include "support/AbortingProgress.h"
#include "support/ErrorMessage.h"
#include "support/TestPicture.h"
#include "support/TempFolder.h"

namespace lumarte::gallery {

class TAnswers : public TGalleryQuestions {
 public:
  bool RemovePrevious = false;
  std::vector<std::string> Notes;
  bool AskRemovePrevious() override { return RemovePrevious; }
  std::optional<editor::TJpegSaveChoice> AskJpegOptions(const editor::TBitmap&) override {
    return std::nullopt;
  }
  void Note(const std::string& text) override { Notes.push_back(text); }
};

class GalleryTest : public ::testing::Test {
 protected:
  fixtures::TempFolder Temp;
  GalleryProject Project;
  fixtures::AbortingProgress Progress;
  TAnswers Answers;

  void SetUp() override {
    std::filesystem::create_directories(Temp.Path / "program" / "Templates");
    std::filesystem::create_directories(Temp.Path / "src");
    Project.Settings.HTMLDir = Temp.File("site");
    Project.Settings.HTMLFile = "gallery.html";
    Project.Settings.ProgramFolder = Temp.File("program");
    Project.Undo.BackupFolder = Temp.File("backups");
  }

  void AddPictures(int count, int w = 20, int h = 10) {
    for (int i = 0; i < count; ++i) {
      const std::string name = "p" + std::to_string(i) + (i % 3 == 1 ? ".png" : i % 3 == 2 ? ".bmp" : ".jpg");
      const std::string file = fixtures::WritePicture(Temp.File("src/" + name), w, h);
      ASSERT_TRUE(Project.AddImage(file, name));
    }
  }

  TGalleryRunResult Run() { return RunGallery(Project, Progress, Answers); }
  std::string Site(const std::string& rel) const { return ReadWholeFile(Temp.File("site/" + rel)); }
  void Program(const std::string& rel, const std::string& text) const {
    WriteWholeFile(Temp.File("program/" + rel), text);
  }
};

}  // namespace lumarte::gallery

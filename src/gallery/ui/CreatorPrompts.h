#pragma once
// What the thumbnail creator asks its user beyond the editor's questions:
// the run's questions, the folder chooser and the files of its own dialogs.
// The window answers with dialogs; tests answer directly.
#include <string>

#include "gallery/model/GalleryImages.h"

namespace lumarte::gallery {

class TCreatorPrompts : public TGalleryQuestions {
 public:
  // The folder chooser starting at start; empty when cancelled.
  virtual std::string AskFolder(const std::string& start) = 0;
  // One existing file ("desc|patterns" filter); empty when cancelled.
  virtual std::string AskOpenFile(const std::string& filter) = 0;
  // The save dialog starting in folder, completing defaultExt and asking
  // before overwriting; empty when cancelled.
  virtual std::string AskSaveFile(const std::string& filter, const std::string& defaultExt,
                                  const std::string& folder) = 0;
};

}  // namespace lumarte::gallery

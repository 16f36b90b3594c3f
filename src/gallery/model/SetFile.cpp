#include "gallery/model/SetFile.h"

#include <algorithm>
#include <cstdlib>

#include "gallery/model/GalleryUndo.h"

namespace lumarte::gallery {

namespace {

constexpr const char* kFields[] = {"FileName", "Name", "Link", "ThumbName", "Hint", "Description"};

std::string Tag(size_t i, const char* field, bool end) {
  return "<#THUMB" + std::to_string(i) + field + (end ? "END#>" : "#>");
}

// The text between the opening and closing tag, empty when either is missing.
std::string Field(const std::string& text, size_t i, const char* field) {
  const std::string open = Tag(i, field, false);
  const size_t b = text.find(open);
  if (b == std::string::npos) return "";
  const size_t from = b + open.size();
  const size_t e = text.find(Tag(i, field, true), from);
  return e == std::string::npos ? "" : text.substr(from, e - from);
}

// One more than the number after "<#THUMB", read up to the first "F" within
// ten characters; 0 when there is none.
size_t EntryCount(const std::string& text) {
  if (text.compare(0, 7, "<#THUMB") != 0) return 0;
  const std::string window = text.substr(7, 10);
  const size_t f = window.find('F');
  if (f == std::string::npos || f == 0) return 0;
  const std::string digits = window.substr(0, f);
  if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 7) return 0;
  return static_cast<size_t>(std::atol(digits.c_str())) + 1;
}

}  // namespace

std::string WriteSetText(const std::vector<GalleryEntry>& entries) {
  std::string out;
  for (size_t k = entries.size(); k-- > 0;) {
    const GalleryEntry& e = entries[k];
    const std::string* values[] = {&e.FileName, &e.Name, &e.Link, &e.ThumbName, &e.Hint,
                                   &e.Description};
    for (size_t f = 0; f < 6; ++f) out += Tag(k, kFields[f], false) + *values[f] + Tag(k, kFields[f], true);
  }
  return out + "\r\n";
}

size_t ReadSetText(GalleryProject& project, const std::string& text,
                   editor::TEditorPrompts* report) {
  // Every record needs its FileName tags (39 characters or more), which keeps a
  // huge count in a short file from searching for ever.
  const size_t count = std::min(EntryCount(text), text.size() / 39 + 1);
  size_t added = 0;
  for (size_t i = 0; i < count; ++i) {
    const std::string file = Field(text, i, "FileName");
    if (!project.AddImage(file, FilePart(file), report)) continue;
    GalleryEntry& e = project.Entries.back();
    // A set file may come from anywhere: its names lose any folder part.
    e.Name = FilePart(Field(text, i, "Name"));
    e.Link = FilePart(Field(text, i, "Link"));
    e.ThumbName = Field(text, i, "ThumbName");
    e.Hint = Field(text, i, "Hint");
    e.Description = Field(text, i, "Description");
    ++added;
  }
  return added;
}

void SaveSetFile(const std::string& path, const std::vector<GalleryEntry>& entries) {
  WriteWholeFile(path, WriteSetText(entries));
}

size_t LoadSetFile(GalleryProject& project, const std::string& path,
                   editor::TEditorPrompts* report) {
  return ReadSetText(project, ReadWholeFile(path), report);
}

}  // namespace lumarte::gallery

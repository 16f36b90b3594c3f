#pragma once
// Temporary files the program makes (images handed to the thumbnail creator)
// and deletes at exit.
#include <functional>
#include <string>
#include <vector>

namespace lumarte::editor {

class TTempFiles {
 public:
  static int ProgramRandom(int n);
  // The temporary folder, then a random decimal number 0..999998 and ext
  // (with its dot), drawn again until no such file exists. randomBelow(n)
  // gives a number 0..n-1; by default the program-wide generator.
  static std::string NewName(const std::string& ext,
                             const std::function<int(int)>& randomBelow = ProgramRandom);
  void Add(const std::string& fileName) { Files.push_back(fileName); }
  // Deletes every listed file that exists; the list is emptied.
  void DeleteAll();
  const std::vector<std::string>& List() const { return Files; }

 private:
  std::vector<std::string> Files;
};

}  // namespace lumarte::editor

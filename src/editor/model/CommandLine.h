#pragma once
// The program's command line: "-clip", a tool switch, or image files.
#include <functional>
#include <string>
#include <vector>

namespace lumarte::editor {

// A tool that the program starts with instead of the Images window.
enum class TStartTool { None, Thumb, Browser, Video, Capture };

inline constexpr int kMaxCommandLineFiles = 10;

struct TCommandLine {
  // First argument exactly "-clip": open the clipboard picture.
  bool Clip = false;
  // First argument, upper-cased, is one of the tool switches.
  TStartTool Tool = TStartTool::None;
  // The first ten arguments as absolute paths (none with -clip); only those
  // naming an existing valid image are opened.
  std::vector<std::string> FileCandidates;

  // The Images window opens at start unless the thumbnail creator, video
  // player or screen capturer is started.
  bool ShowsImagesWindow() const;
};

// args without the program name; relative names are resolved against
// startFolder, the folder the program was started in (the default folder may
// change the current folder before the files are opened).
TCommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& startFolder);

// The candidates that exist as files and that isValidImage accepts, in order.
std::vector<std::string> FilesToOpen(const TCommandLine& commandLine,
                                     const std::function<bool(const std::string&)>& isValidImage);

}  // namespace lumarte::editor

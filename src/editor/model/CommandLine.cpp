#include "editor/model/CommandLine.h"

#include <algorithm>
#include <filesystem>

#include "imaging/FileUtils.h"

namespace lumarte::editor {

namespace {

TStartTool ToolSwitch(const std::string& arg) {
  std::string upper = imaging::UpperCase(arg);
  if (upper == "-THUMB") return TStartTool::Thumb;
  if (upper == "-BROWSER") return TStartTool::Browser;
  if (upper == "-VIDEO") return TStartTool::Video;
  if (upper == "-CAPTURE") return TStartTool::Capture;
  return TStartTool::None;
}

std::string Absolute(const std::string& name, const std::string& startFolder) {
  if (name.empty() || name.front() == '/') return name;
  return imaging::AddBackslash(startFolder) + name;
}

}  // namespace

bool TCommandLine::ShowsImagesWindow() const {
  return Tool != TStartTool::Thumb && Tool != TStartTool::Video && Tool != TStartTool::Capture;
}

TCommandLine ParseCommandLine(const std::vector<std::string>& args,
                              const std::string& startFolder) {
  TCommandLine result;
  if (args.empty()) return result;
  result.Clip = args.front() == "-clip";
  result.Tool = ToolSwitch(args.front());
  if (result.Clip) return result;
  size_t n = std::min<size_t>(args.size(), kMaxCommandLineFiles);
  for (size_t i = 0; i < n; ++i) result.FileCandidates.push_back(Absolute(args[i], startFolder));
  return result;
}

std::vector<std::string> FilesToOpen(const TCommandLine& commandLine,
                                     const std::function<bool(const std::string&)>& isValidImage) {
  std::vector<std::string> files;
  for (const auto& name : commandLine.FileCandidates) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(name, ec) && isValidImage(name)) files.push_back(name);
  }
  return files;
}

}  // namespace lumarte::editor

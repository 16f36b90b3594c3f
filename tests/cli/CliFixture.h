#pragma once
// Runs lumarte-cli's commands in-process in a fresh temporary folder and
// keeps what they printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/cli/Commands.h"
#include "editor/model/RasterConversion.h"
#include "support/TempFolder.h"
#include "imaging/RevedBitmap.h"

namespace lumarte {

namespace fs = std::filesystem;
using imaging::pf24bit;
using imaging::TRevedBitmap;

class Cli : public ::testing::Test {
 protected:
  fixtures::TempFolder Temp;
  const fs::path& Dir = Temp.Path;

  std::string Path(const std::string& name) const { return (Dir / name).string(); }

  int Run(std::vector<std::string> args) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    int status = cli::Run(args, out, err);
    Out = ReadAll(out);
    Err = ReadAll(err);
    return status;
  }

  static std::string ReadAll(std::FILE* f) {
    std::string s;
    std::rewind(f);
    for (int c; (c = std::fgetc(f)) != EOF;) s += static_cast<char>(c);
    std::fclose(f);
    return s;
  }

  std::string FileBytes(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  void WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }

  // A 24-bit image with a few colours, saved through the registry.
  TRevedBitmap MakeColour(const std::string& name, int w = 5, int h = 3) const {
    TRevedBitmap b;
    b.New(w, h, pf24bit);
    for (int32_t i = 0; i < b.Size; ++i) b.Map[i] = static_cast<uint8_t>(i % 7 * 40);
    b.SaveToFile(Path(name));
    return b;
  }

  // A file through the registry as the window's raster, and back.
  editor::TBitmap ReadRaster(const std::string& name) const {
    TRevedBitmap b;
    b.LoadFromFile(Path(name));
    editor::TBitmap raster;
    editor::AssignTo(b, raster);
    return raster;
  }
  void WriteRaster(const std::string& name, const editor::TBitmap& raster) const {
    TRevedBitmap b;
    editor::AssignFromRaster(b, raster);
    b.SaveToFile(Path(name));
  }

  std::vector<std::string> FilesInDir() const {
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(Dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string Out, Err;
};

}  // namespace lumarte

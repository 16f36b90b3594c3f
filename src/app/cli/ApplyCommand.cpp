#include "app/cli/ApplyCommand.h"

#include <algorithm>

#include <memory>
#include <limits>

#include "app/cli/Arguments.h"
#include "app/cli/Batch.h"
#include "app/cli/ColourArgument.h"
#include "editor/model/RasterConversion.h"
#include "editor/model/SaveFormats.h"
#include "editor/model/SelectionTest.h"
#include "effects/model/EffectInput.h"
#include "effects/model/InsertEffects.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"
#include "platform/freetype/FreeTypeText.h"

namespace lumarte::cli {

using namespace imaging;

const char* const kApplyUsage =
    "Usage: lumarte-cli apply IN OUT EFFECT [name=value ...] [options]\n"
    "       lumarte-cli apply IN... -o DIR EFFECT [name=value ...] [options]\n"
    "       lumarte-cli apply --list\n"
    "Runs an effect (apply --list names them with their parameters) on each\n"
    "image; with -o every result goes into DIR under its input's name.\n"
    "  --select rect:X1,Y1,X2,Y2 | circle:CX,CY,R | polygon:X,Y;X,Y;...\n"
    "                      work inside this shape only\n"
    "  --seed N            random seed (0 unless given)\n"
    "  --fg RRGGBB, --bg RRGGBB, --pen N\n"
    "                      colours and pen width of effects that paint or fill\n"
    "                      (white, black and 1 otherwise)\n"
    "  --paste FILE        the picture paste-insert puts in (no clipboard here)\n"
    "  --LIST ITEM         an item of one of the effect's lists (--light,\n"
    "                      --barrier); repeat for more, apply --list gives the forms\n";

namespace {

// A whole number in 0..max, nothing else.
bool ParseCount(const std::string& s, int64_t max, int64_t& v) {
  return ParseNumber(s, 0, max, v);
}

// Splits at sep; every part must be a coordinate 0..65535.
bool ParseCoordinates(const std::string& s, char sep, std::vector<int>& out) {
  size_t start = 0;
  while (true) {
    size_t end = s.find(sep, start);
    int64_t v = 0;
    if (!ParseCount(s.substr(start, end - start), 65535, v)) return false;
    out.push_back(static_cast<int>(v));
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

std::string ParsePolygon(const std::string& points, editor::TSelectionClass& sel) {
  size_t start = 0;
  int count = 0;
  while (start <= points.size()) {
    size_t end = points.find(';', start);
    std::vector<int> xy;
    if (!ParseCoordinates(points.substr(start, end - start), ',', xy) || xy.size() != 2)
      return "polygon points are X,Y pairs separated by \";\"";
    sel.Polygon.AddPoint(xy[0], xy[1]);
    ++count;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (count < 3) return "a polygon needs at least three points";
  return "";
}

std::string ColourOption(const std::string& name, const std::string& value,
                         editor::TColorEntry& entry) {
  uint32_t c = 0;
  if (!ParseColor(value, c)) return name + " takes a colour RRGGBB in hexadecimal";
  entry = editor::TColorEntry::FromRGB(c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF);
  return "";
}

// One of the effect's lists ("--light"), known once the effect is named.
bool IsListOption(const std::string& a, const TApplyRequest& r) {
  if (!r.Effect) return false;
  for (const auto& list : r.Effect->Lists)
    if (a == "--" + list.Name) return true;
  return false;
}

std::string ListOption(const std::string& a, const std::string& value, TApplyRequest& r) {
  try {
    effects::ParseListItem(*r.Effect, a.substr(2), value, r.Values);
  } catch (const ELumarteError& e) {
    return e.what();
  }
  return "";
}

std::string ApplyOption(const std::vector<std::string>& args, size_t& i, TApplyRequest& r) {
  const std::string& a = args[i];
  if (a != "--select" && a != "--seed" && a != "--fg" && a != "--bg" && a != "--pen" &&
      a != "-o" && a != "--paste")
    return "unknown option " + a;
  if (i + 1 == args.size()) return a + " needs a value";
  const std::string& value = args[++i];
  if (a == "--paste") {
    r.Paste = value;
    return "";
  }
  if (a == "-o") {
    r.OutputDir = value;
    return "";
  }
  if (a == "--select") return ParseSelection(value, r.Selection);
  if (a == "--fg") return ColourOption(a, value, r.Colours.FG);
  if (a == "--bg") return ColourOption(a, value, r.Colours.BG);
  int64_t n = 0;
  if (a == "--pen") {
    if (!ParseCount(value, editor::kPenWidthMax, n) || n < editor::kPenWidthMin)
      return "--pen takes a width from 1 to 128";
    r.Colours.PenWidth = static_cast<int>(n);
    return "";
  }
  if (!ParseCount(value, std::numeric_limits<uint32_t>::max(), n))
    return "--seed takes a number from 0 to 4294967295";
  r.Seed = static_cast<uint32_t>(n);
  return "";
}

// The effect on one file, as its dialog would run it on the document.
void RunEffect(const TApplyRequest& request, const std::string& input, TRevedBitmap& image) {
  editor::LoadImageBuffer(input, image);
  editor::TBitmap raster;
  editor::AssignTo(image, raster);
  // Its memory serves the result (see main).
  image.Dispose();
  // Each file gets its own copy: the test keeps its bounds in the shape.
  editor::TSelectionClass shape = request.Selection;
  const editor::TSelectionTest selection(shape, raster, editor::TSelectByColor{});
  lumarte::NullProgress progress;
  effects::EffectInput effectInput{raster, selection, progress, request.Colours};
  effectInput.Shape = &shape;
  editor::TBitmap result = request.Effect->Run(effectInput, request.Values, request.Seed);
  // An empty result: nothing to do, the image is written as it came.
  // Otherwise the source's memory serves the copy that is written.
  if (result.Empty())
    result = std::move(raster);
  else
    raster = editor::TBitmap();
  AssignFromRaster(image, result);
}

// The one picture every file of the run pastes.
bool LoadPastePicture(const std::string& file, std::FILE* err) {
  try {
    TRevedBitmap picture;
    editor::LoadImageBuffer(file, picture);
    auto pasted = std::make_shared<editor::TBitmap>();
    editor::AssignTo(picture, *pasted);
    effects::SetPastePicture([pasted] { return *pasted; });
    return true;
  } catch (const std::exception& e) {
    std::fprintf(err, "lumarte-cli: %s: %s\n", file.c_str(), e.what());
    return false;
  }
}

int ListEffects(std::FILE* out) {
  for (const auto& row : effects::EffectTable())
    std::fprintf(out, "%s\n", effects::DescribeEffect(row).c_str());
  return 0;
}

}  // namespace

std::string ParseSelection(const std::string& text, editor::TSelectionClass& sel) {
  size_t colon = text.find(':');
  const std::string kind = text.substr(0, colon);
  const std::string rest = colon == std::string::npos ? "" : text.substr(colon + 1);
  std::vector<int> v;
  if (kind == "rect") {
    if (!ParseCoordinates(rest, ',', v) || v.size() != 4)
      return "rect: takes X1,Y1,X2,Y2 (numbers 0..65535)";
    sel.Kind = editor::SelKind::Rectangle;
    sel.X1 = v[0], sel.Y1 = v[1], sel.X2 = v[2], sel.Y2 = v[3];
  } else if (kind == "circle") {
    if (!ParseCoordinates(rest, ',', v) || v.size() != 3)
      return "circle: takes CX,CY,R (numbers 0..65535)";
    sel.Kind = editor::SelKind::Circle;
    sel.X1 = v[0], sel.Y1 = v[1], sel.X2 = sel.Y2 = v[2];
  } else if (kind == "polygon") {
    sel.Kind = editor::SelKind::Polygon;
    return ParsePolygon(rest, sel);
  } else {
    return "--select takes rect:, circle: or polygon:";
  }
  sel.BoundsDirty = true;
  return "";
}

std::string ParseApply(const std::vector<std::string>& args, TApplyRequest& r) {
  std::vector<std::string> words;
  // The effect's list options, read once the effect is known.
  std::vector<std::pair<std::string, const std::string*>> items;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool fixed = a == "--select" || a == "--seed" || a == "--fg" || a == "--bg" ||
                       a == "--pen" || a == "-o" || a == "--paste";
    if (a.rfind("--", 0) == 0 && a.size() > 2 && !fixed) {
      items.emplace_back(a, i + 1 < args.size() ? &args[++i] : nullptr);
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      std::string error = ApplyOption(args, i, r);
      if (!error.empty()) return error;
    } else {
      words.push_back(args[i]);
    }
  }
  // List options belong to an effect: without one they are simply unknown.
  auto named = [&](const std::string& w) { return effects::FindEffect(w) != nullptr; };
  if (!items.empty() && std::none_of(words.begin(), words.end(), named))
    return "unknown option " + items[0].first;
  // IN OUT EFFECT, or with -o the inputs up to the first word naming an effect.
  size_t effectAt = 2;
  if (!r.OutputDir.empty()) {
    effectAt = 1;
    while (effectAt < words.size() && !effects::FindEffect(words[effectAt])) ++effectAt;
    if (effectAt == words.size())
      return "apply -o DIR takes input files and an effect (lumarte-cli apply --list names "
             "them)";
  } else if (words.size() < 3) {
    return "apply takes an input file, an output file and an effect";
  }
  r.Effect = effects::FindEffect(words[effectAt]);
  if (!r.Effect)
    return "unknown effect \"" + words[effectAt] + "\" (lumarte-cli apply --list names them)";
  for (const auto& [option, value] : items) {
    if (!IsListOption(option, r)) return "unknown option " + option;
    if (!value) return option + " needs a value";
    if (std::string error = ListOption(option, *value, r); !error.empty()) return error;
  }
  for (size_t k = effectAt + 1; k < words.size(); ++k) {
    try {
      effects::ParseParam(*r.Effect, words[k], r.Values);
    } catch (const ELumarteError& e) {
      return e.what();
    }
  }
  // The command line has no clipboard: the picture comes from a file.
  if (r.Effect->Name == "paste-insert" && r.Paste.empty()) return "paste-insert needs --paste FILE";
  r.Inputs.assign(words.begin(), words.begin() + (r.OutputDir.empty() ? 1 : effectAt));
  if (r.OutputDir.empty()) r.Output = words[1];
  return "";
}

int RunApply(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.size() == 1 && args[0] == "--list") return ListEffects(out);
  TApplyRequest request;
  std::string error = ParseApply(args, request);
  if (!error.empty()) return UsageError(err, error, kApplyUsage);
  if (!MakeOutputFolder(request.OutputDir, err)) return 1;
  if (!request.Paste.empty() && !LoadPastePicture(request.Paste, err)) return 1;
  // Write draws text with FreeType here: no window system to ask.
  platform::InstallFreeTypeText();
  std::vector<TBatchJob> jobs = PlanJobs(request.Inputs, request.Output, request.OutputDir, "");
  RefuseClashes(jobs);
  return RunBatch(
      jobs,
      [&](const std::string& input, TRevedBitmap& image) { RunEffect(request, input, image); },
      editor::TSaveOptions{}, err);
}

}  // namespace lumarte::cli

#include "app/cli/ApplyCommand.h"

#include <charconv>
#include <limits>

#include "app/cli/ColourArgument.h"
#include "app/cli/SaveFormats.h"
#include "editor/model/RasterConversion.h"
#include "editor/model/SelectionTest.h"
#include "effects/model/EffectInput.h"
#include "imaging/Errors.h"
#include "imaging/FileUtils.h"

namespace lumarte::cli {

using namespace imaging;

namespace {

constexpr const char* kApplyUsage =
    "Usage: lumarte-cli apply IN OUT EFFECT [name=value ...]\n"
    "         [--select rect:X1,Y1,X2,Y2 | circle:CX,CY,R | polygon:X,Y;X,Y;...]\n"
    "         [--seed N] [--fg RRGGBB] [--bg RRGGBB] [--pen N]\n"
    "         [--LIST ITEM ...] (after EFFECT: its repeatable lists, see --list)\n"
    "       lumarte-cli apply --list\n";

// A whole number in 0..max, nothing else.
bool ParseCount(const std::string& s, int64_t max, int64_t& v) {
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() && end == s.data() + s.size() && v >= 0 && v <= max;
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
  const bool list = IsListOption(a, r);
  if (a != "--select" && a != "--seed" && a != "--fg" && a != "--bg" && a != "--pen" && !list)
    return "unknown option " + a;
  if (i + 1 == args.size()) return a + " needs a value";
  const std::string& value = args[++i];
  if (list) return ListOption(a, value, r);
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
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].rfind("--", 0) == 0) {
      std::string error = ApplyOption(args, i, r);
      if (!error.empty()) return error;
    } else if (positional.size() < 3) {
      positional.push_back(args[i]);
    } else {
      try {
        effects::ParseParam(*r.Effect, args[i], r.Values);
      } catch (const ELumarteError& e) {
        return e.what();
      }
    }
    if (positional.size() == 3 && !r.Effect) {
      r.Effect = effects::FindEffect(positional[2]);
      if (!r.Effect)
        return "unknown effect \"" + positional[2] + "\" (lumarte-cli apply --list names them)";
    }
  }
  if (positional.size() < 3) return "apply takes an input file, an output file and an effect";
  r.Input = positional[0];
  r.Output = positional[1];
  return "";
}

int RunApply(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.size() == 1 && args[0] == "--list") return ListEffects(out);
  TApplyRequest request;
  std::string error = ParseApply(args, request);
  if (!error.empty()) {
    std::fprintf(err, "lumarte-cli: %s\n%s", error.c_str(), kApplyUsage);
    return 2;
  }
  const std::string* current = &request.Input;
  try {
    TRevedBitmap image;
    LoadImage(request.Input, image);
    editor::TBitmap raster;
    editor::AssignTo(image, raster);
    const editor::TSelectionTest selection(request.Selection, raster, editor::TSelectByColor{});
    lumarte::NullProgress progress;
    effects::EffectInput input{raster, selection, progress, request.Colours};
    input.Shape = &request.Selection;
    editor::TBitmap result = request.Effect->Run(input, request.Values, request.Seed);
    // An empty result: nothing to do, the image is written as it came.
    if (!result.Empty()) AssignFromRaster(image, result);
    current = &request.Output;
    const std::string ext = ExtractExt(request.Output);
    SaveReplacing(request.Output, [&](const std::string& temp) {
      FindSaveFormat(ext).Save(temp, ext, image, TSaveOptions{});
    });
  } catch (const std::exception& e) {
    std::fprintf(err, "lumarte-cli: %s: %s\n", current->c_str(), e.what());
    return 1;
  }
  return 0;
}

}  // namespace lumarte::cli

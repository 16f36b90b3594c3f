// The standard filters of the Effects menu: each one filter (or one per
// channel) described by its taps and fields, run at once over the selection.
#include "effects/model/EffectTable.h"
#include "effects/model/FilterEffects.h"

namespace lumarte::effects {

namespace {

constexpr bool IIR = true;

const std::vector<TTapRow> kRedWaxTaps = {{-1, -1, 4}, {1, 1, -4}, {-1, 1, -4}, {1, -1, 4},
                                          {0, -1, 4},  {0, 1, -4}, {1, 0, -4},  {-1, 0, 4}};
const std::vector<TTapRow> kNormalizeRed = {
    {0, 0, 1}, {0, 1, .5}, {0, -1, .5}, {1, 0, .5}, {-1, 0, .5}};
const std::vector<TTapRow> kNormalizeGreenBlue = {{0, 0, 1},   {0, 0, 1},  {0, 1, .5},
                                                  {0, -1, .5}, {1, 0, .5}, {-1, 0, .5}};

}  // namespace

const std::vector<TStandardFilter>& StandardFilters() {
  static const std::vector<TStandardFilter> table = {
      {"Differentiate", "LMDifferentiate1", 1, {{{{0, 0, 2}, {-1, 0, -1}, {0, -1, -1}}, 0.5, 128}}},
      {"Integrate",
       "LMIntegrate1",
       1,
       {{{{-1, 0, .5, IIR}, {0, -1, .5, IIR}, {-1, 0, 1}, {0, -1, 1}}, 1.0, -256}}},
      {"Anti Alias", "LMAntiAlias1", 1, {{{{-1, 0, 1}, {0, 1, 1}, {0, -1, 1}, {1, 0, 1}}, 0.25}}},
      {"Simple Sharpen",
       "LMSharpen1",
       1,
       {{{{0, 0, 8}, {1, 0, -1}, {0, 1, -1}, {-1, 0, -1}, {0, -1, -1}}, 0.25}}},
      {"Strong Sharpen",
       "LMStrongSharpen1",
       1,
       {{{{0, 0, 14},
          {1, 0, -2},
          {0, 1, -2},
          {-1, 0, -2},
          {0, -1, -2},
          {1, 1, -1},
          {-1, 1, -1},
          {1, -1, -1},
          {-1, -1, -1}},
         0.5}}},
      {"Edge Filter",
       "LMEdgeFilter1",
       3,
       {{{{0, 0, 1},
          {-1, -1, -.1},
          {-1, 0, -.1},
          {0, -1, -.1},
          {0, 1, -.1},
          {1, 0, -.1},
          {1, 1, -.1}},
         1.6,
         0,
         0}}},
      {"Edge Builder",
       "LMEdgeBuilder1",
       1,
       {{{{0, 0, 8},
          {-1, -1, -8},
          {1, 1, 8},
          {-1, 1, -3},
          {1, -1, 3},
          {0, -1, 4},
          {0, 1, -4},
          {1, 0, -4},
          {-1, 0, 4}},
         0.125,
         0,
         0}}},
      {"Drawing",
       "LMDraw1",
       1,
       {{{{0, 0, -44},
          {-1, -1, 4},
          {1, -1, 4},
          {-1, 1, 4},
          {1, 1, 4},
          {0, -1, 7},
          {0, 1, 7},
          {1, 0, 7},
          {-1, 0, 7}},
         0.125,
         0,
         0}}},
      {"Emboss", "LMEmboss1", 1, {{{{-2, 0, 1}, {0, 2, -1}, {0, -1, .5}, {1, 0, -.5}}, 0.67, 128}}},
      {"Old Image",
       "LMOldImage",
       3,
       {{{{0, 0, 1}, {1, 1, 1, IIR}, {-2, 0, 1, IIR}, {0, -2, 1, IIR}},
         0.25,
         0,
         0,
         255,
         true,
         128}}},
      {"Red Wax",
       "LMRedWax1",
       1,
       {{kRedWaxTaps, 0.5, 196, 0}, {kRedWaxTaps, 0.5, 0, 0}, {kRedWaxTaps, 0.5, 0, 0}}},
      {"Normalize Colors",
       "LMNormalizeColors1",
       1,
       {{kNormalizeRed, 0.1, 0, 0, 255, true},
        {kNormalizeGreenBlue, 1.0, 0, 0, 255, true},
        {kNormalizeGreenBlue, 1.0, 0, 0, 255, true}}},
  };
  return table;
}

namespace {

TFIRIIRFilter MakeFilter(const TFilterRow& row) {
  TFIRIIRFilter f;
  for (const TTapRow& t : row.Taps) {
    if (t.iir)
      f.AddIIR(t.dx, t.dy, t.w);
    else
      f.AddFIR(t.dx, t.dy, t.w);
  }
  f.Scale = static_cast<float>(row.Scale);
  f.Offset = static_cast<float>(row.Offset);
  f.LowLimit = static_cast<float>(row.LowLimit);
  f.HighLimit = static_cast<float>(row.HighLimit);
  f.Normalize = row.Normalize;
  f.Center = static_cast<float>(row.Center);
  return f;
}

editor::TBitmap RunStandardFilter(const TStandardFilter& s, const EffectInput& in) {
  if (s.Filters.size() == 1) {
    TFIRIIRFilter f = MakeFilter(s.Filters[0]);
    return ApplyFilterInSelection(in, f, s.Iterations);
  }
  TFIRIIRFilter red = MakeFilter(s.Filters[0]), green = MakeFilter(s.Filters[1]),
                blue = MakeFilter(s.Filters[2]);
  return ApplyRGBInSelection(in, red, green, blue, s.Iterations);
}

}  // namespace

void AddStandardFilterEffects(std::vector<EffectRow>& rows) {
  for (const TStandardFilter& s : StandardFilters()) {
    rows.push_back({.Caption = s.Caption,
                    .HelpPage = "StdFilters.html",
                    .MenuItems = {s.MenuItem},
                    .Run = [&s](const EffectInput& in, const ParamValues&, uint32_t) {
                      return RunStandardFilter(s, in);
                    }});
  }
}

}  // namespace lumarte::effects

// The table rows of the geometric transforms and the distortions.
#include "editor/model/Resample.h"
#include "effects/model/EffectTable.h"
#include "effects/model/ParamRows.h"
#include "effects/model/Transforms.h"
#include "imaging/Errors.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;

// A check box that starts checked or not.
EffectParam Box(const char* name, const char* caption, const char* control, bool checked) {
  EffectParam p = Check(name, caption, control);
  p.Default = checked ? 1 : 0;
  return p;
}

EffectRow RotateRow() {
  EffectRow row{"rotate",      "Rotate", "TRotateForm",
                "Rotate",      {},       RecomputePolicy::Always,
                "Rotate.html", nullptr,  {"LMRotateandMirror1"}};
  row.Params = {Range("angle", "", 0, 359, 0, "TrackBar1", "Edit1"),
                Box("overwrite-unselected-and-resize-if-necessary",
                    "overwrite unselected and resize if necessary", "RTOverwriteAndResize", false),
                Box("use-transparent-color-interval", "use transparent color interval",
                    "RTTransparentBox", true)};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    return Rotate(in, {v.Int(row.Params[0]), v.Int(row.Params[1]) != 0, v.Int(row.Params[2]) != 0});
  };
  return row;
}

// The Resize dialog is a plain dialog of its own, opened by its menu item;
// the row serves the command line. A size of 0 (the default) comes from its
// percent, which keeps the image's size by default.
EffectRow ResizeRow() {
  EffectRow row{"resize", "Resize", "TResizeForm", "Resize", {}, RecomputePolicy::Always, "",
                nullptr,  {}};
  row.Params = {Range("width", "", 0, 65535, 0, "WidthEdit"),
                Range("height", "", 0, 65535, 0, "HeightEdit"),
                Range("widthpercent", "", 0, 1e6, 100, "WidthPercent"),
                Range("heightpercent", "", 0, 1e6, 100, "HeightPercent")};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    auto side = [&](int pixels, int percent, int size) {
      const int given = v.Int(row.Params[pixels]);
      return given > 0 ? given : PercentPixels(v.Get(row.Params[percent]), size);
    };
    const int w = side(0, 2, in.Source.Width()), h = side(1, 3, in.Source.Height());
    if (w < 1 || h < 1) throw ELumarteError("Resize needs a width and a height of at least 1");
    return editor::ResampleNearest(in.Source, w, h);
  };
  return row;
}

EffectRow EnlargeCanvasRow() {
  EffectRow row{"enlarge-canvas",
                "Enlarge Canvas",
                "TEnlargeCanvasForm",
                "Enlarge Canvas",
                {},
                RecomputePolicy::Always,
                "help.html",
                nullptr,
                {"LMEnlargeCanvas1"}};
  // Sizes of 0 keep the image's own; the dialog's minimum is the current size.
  row.Params = {Range("width", "", 0, 9999, 0, "WidthSpinEdit"),
                Range("height", "", 0, 9999, 0, "HeightSpinEdit"),
                Radio("alignment", "Alignment", {"left", "center", "right"},
                      {"ECleftradiobutton", "ECcenterradiobutton", "ECrightradiobutton"}),
                Range("offset", "Offset:", -9999, 9999, 0, "HorOffsetSpinEdit"),
                Radio("vertical-alignment", "Vertical Alignment", {"top", "middle", "bottom"},
                      {"ECtopradiobutton", "ECmiddleradiobutton", "ECbottomradiobutton"}),
                Range("vertoffset", "", -9999, 9999, 0, "VertOffsetSpinEdit")};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    auto size = [&](int i, int current) {
      int s = v.Int(row.Params[i]);
      return s > 0 ? s : current;
    };
    return EnlargeCanvas(in, {size(0, in.Source.Width()), size(1, in.Source.Height()),
                              static_cast<CanvasAlign>(v.Int(row.Params[2])),
                              static_cast<CanvasAlign>(v.Int(row.Params[4])), v.Int(row.Params[3]),
                              v.Int(row.Params[5])});
  };
  return row;
}

EffectRow DistortionRow() {
  EffectRow row{"distortion",      "Distortion", "TDistortionForm",
                "Distortion",      {},           RecomputePolicy::Always,
                "Distortion.html", nullptr,      {"LMDistort1"}};
  row.Params = {Range("threshold", "Threshold", 1, 127, 64, "TrackBar1", "SpinEdit1"),
                Box("red", "Red", "RedCheckBox", true),
                Box("green", "Green", "GreenCheckBox", true),
                Box("blue", "Blue", "BlueCheckBox", true),
                Box("use-median-as-center", "use Median as Center", "MedianCheckBox", true),
                Box("use-clipping", "use Clipping", "ClippingCheckBox", false),
                Range("offset", "Offset", -127, 127, 0, "OffsetSpinEdit")};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    auto on = [&](int i) { return v.Int(row.Params[i]) != 0; };
    return Distortion(
        in, {v.Int(row.Params[0]), on(1), on(2), on(3), on(4), on(5), v.Int(row.Params[6])});
  };
  return row;
}

EffectRow PinchPunchRow() {
  EffectRow row{"pinch-punch",
                "Pinch & Punch",
                "TPinchPunchForm",
                "Pinch & Punch",
                {},
                RecomputePolicy::ReusePreview,
                "Deformations.html",
                nullptr,
                {"LMPinchPuch1"}};
  row.Params = {
      Range("position", "", 0, 200, 0, "TrackBar1"),
      Choice("method", "Method", {"linear", "square", "harder", "softer"}, 1, "MethodComboBox")};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    return PinchPunch(in, {v.Int(row.Params[0]), static_cast<PinchMethod>(v.Int(row.Params[1]))});
  };
  return row;
}

}  // namespace

void AddTransformEffects(std::vector<EffectRow>& rows) {
  for (auto make : {RotateRow, ResizeRow, EnlargeCanvasRow, DistortionRow, PinchPunchRow})
    rows.push_back(make());
}

}  // namespace lumarte::effects

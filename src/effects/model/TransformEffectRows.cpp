// The table rows of the geometric transforms and the distortions.
#include "editor/model/Resample.h"
#include "effects/model/EffectTable.h"
#include "effects/model/Transforms.h"
#include "imaging/Errors.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;

// A check box that starts checked or not.
template <class P>
EffectParam Box(bool P::*field, const char* caption, const char* control, bool checked) {
  return Field(field, {.Caption = caption, .Default = checked ? 1.0 : 0.0,
                       .Kind = ControlKind::Check, .Control = control});
}

EffectRow RotateRow() {
  using P = RotateParams;
  return Effect<P>(
      {.Caption = "Rotate",
       .FormName = "TRotateForm",
       .FormCaption = "Rotate",
       .Params = {Field(&P::Angle,
                        {.Max = 359, .Control = "TrackBar1", .Edit = "Edit1", .Name = "angle"}),
                  Box(&P::OverwriteAndResize, "overwrite unselected and resize if necessary",
                      "RTOverwriteAndResize", false),
                  Box(&P::UseTransparent, "use transparent color interval", "RTTransparentBox",
                      true)},
       .HelpPage = "Rotate.html",
       .MenuItems = {"LMRotateandMirror1"}},
      [](const EffectInput& in, const P& p, uint32_t) { return Rotate(in, p); });
}

// The Resize dialog is a plain dialog of its own, opened by its menu item;
// the row serves the command line. A size of 0 (the default) comes from its
// percent, which keeps the image's size by default.
EffectRow ResizeRow() {
  using P = ResizeParams;
  auto size = [](int P::*field, const char* name, const char* control) {
    return Field(field, {.Max = 65535, .Control = control, .Name = name});
  };
  auto percent = [](double P::*field, const char* name, const char* control) {
    return Field(field, {.Max = 1e6, .Default = 100, .Control = control, .Name = name});
  };
  return Effect<P>(
      {.Caption = "Resize",
       .FormName = "TResizeForm",
       .FormCaption = "Resize",
       .Params = {size(&P::Width, "width", "WidthEdit"), size(&P::Height, "height", "HeightEdit"),
                  percent(&P::WidthPercent, "widthpercent", "WidthPercent"),
                  percent(&P::HeightPercent, "heightpercent", "HeightPercent")},
       .HelpPage = ""},
      [](const EffectInput& in, const P& p, uint32_t) {
        auto side = [](int given, double percent, int size) {
          return given > 0 ? given : PercentPixels(percent, size);
        };
        const int w = side(p.Width, p.WidthPercent, in.Source.Width());
        const int h = side(p.Height, p.HeightPercent, in.Source.Height());
        if (w < 1 || h < 1) throw ELumarteError("Resize needs a width and a height of at least 1");
        return editor::ResampleNearest(in.Source, w, h);
      });
}

EffectParam Align(CanvasAlign EnlargeCanvasParams::*field, const char* caption,
                  std::vector<std::string> choices, std::vector<std::string> buttons) {
  return Field(field, {.Caption = caption, .Choices = choices, .ChoiceControls = buttons});
}

EffectRow EnlargeCanvasRow() {
  using P = EnlargeCanvasParams;
  auto spin = [](int P::*field, const char* name, const char* caption, double lo, double hi,
                 const char* control) {
    return Field(field, {.Caption = caption, .Min = lo, .Max = hi, .Control = control,
                         .Name = name});
  };
  // Sizes of 0 keep the image's own; the dialog's minimum is the current size.
  return Effect<P>(
      {.Caption = "Enlarge Canvas",
       .FormName = "TEnlargeCanvasForm",
       .FormCaption = "Enlarge Canvas",
       .Params = {spin(&P::Width, "width", "", 0, 9999, "WidthSpinEdit"),
                  spin(&P::Height, "height", "", 0, 9999, "HeightSpinEdit"),
                  Align(&P::Horizontal, "Alignment", {"left", "center", "right"},
                        {"ECleftradiobutton", "ECcenterradiobutton", "ECrightradiobutton"}),
                  spin(&P::HorOffset, "offset", "Offset:", -9999, 9999, "HorOffsetSpinEdit"),
                  Align(&P::Vertical, "Vertical Alignment", {"top", "middle", "bottom"},
                        {"ECtopradiobutton", "ECmiddleradiobutton", "ECbottomradiobutton"}),
                  spin(&P::VertOffset, "vertoffset", "", -9999, 9999, "VertOffsetSpinEdit")},
       .MenuItems = {"LMEnlargeCanvas1"}},
      [](const EffectInput& in, const P& given, uint32_t) {
        P p = given;
        if (p.Width <= 0) p.Width = in.Source.Width();
        if (p.Height <= 0) p.Height = in.Source.Height();
        return EnlargeCanvas(in, p);
      });
}

EffectRow DistortionRow() {
  using P = DistortionParams;
  return Effect<P>(
      {.Caption = "Distortion",
       .FormName = "TDistortionForm",
       .FormCaption = "Distortion",
       .Params = {Field(&P::Threshold, {.Caption = "Threshold", .Min = 1, .Max = 127,
                                        .Default = 64, .Control = "TrackBar1",
                                        .Edit = "SpinEdit1"}),
                  Box(&P::Red, "Red", "RedCheckBox", true),
                  Box(&P::Green, "Green", "GreenCheckBox", true),
                  Box(&P::Blue, "Blue", "BlueCheckBox", true),
                  Box(&P::MedianCentre, "use Median as Center", "MedianCheckBox", true),
                  Box(&P::Clipping, "use Clipping", "ClippingCheckBox", false),
                  Field(&P::Offset, {.Caption = "Offset", .Min = -127, .Max = 127,
                                     .Control = "OffsetSpinEdit"})},
       .HelpPage = "Distortion.html",
       .MenuItems = {"LMDistort1"}},
      [](const EffectInput& in, const P& p, uint32_t) { return Distortion(in, p); });
}

EffectRow PinchPunchRow() {
  using P = PinchPunchParams;
  return Effect<P>(
      {.Caption = "Pinch & Punch",
       .FormName = "TPinchPunchForm",
       .FormCaption = "Pinch & Punch",
       .Params = {Field(&P::Position, {.Max = 200, .Control = "TrackBar1", .Name = "position"}),
                  Field(&P::Method, {.Caption = "Method",
                                     .Default = 1,
                                     .Choices = {"linear", "square", "harder", "softer"},
                                     .Control = "MethodComboBox"})},
       .Policy = RecomputePolicy::ReusePreview,
       .HelpPage = "Deformations.html",
       .MenuItems = {"LMPinchPuch1"}},
      [](const EffectInput& in, const P& p, uint32_t) { return PinchPunch(in, p); });
}

}  // namespace

void AddTransformEffects(std::vector<EffectRow>& rows) {
  for (auto make : {RotateRow, ResizeRow, EnlargeCanvasRow, DistortionRow, PinchPunchRow})
    rows.push_back(make());
}

}  // namespace lumarte::effects

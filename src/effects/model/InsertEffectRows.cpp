// The table rows of Write and Paste Insert.
#include "effects/model/EffectTable.h"
#include "effects/model/InsertEffects.h"
#include "imaging/Errors.h"

namespace lumarte::effects {

namespace {

EffectRow WriteRow() {
  using P = WriteParams;
  return Effect<P>(
      {.Caption = "Write",
       .FormName = "TWriteForm",
       .FormCaption = "Write",
       .Params = {Field(&P::Text, {.Control = "Memo1", .Name = "text"}),
                  Field(&P::Font, {.Control = "WRFontButton", .Name = "font"}),
                  Field(&P::Size, {.Caption = "Size",
                                   .Min = 6,
                                   .Max = 512,
                                   .Default = 12,
                                   .Control = "FontSizeSpinEdit"}),
                  Field(&P::Left, {.Caption = "Left", .Max = 65535, .Control = "SpinEdit1"}),
                  Field(&P::Top, {.Caption = "Top", .Max = 65535, .Control = "SpinEdit2"}),
                  Field(&P::Alignment,
                        {.Caption = "Alignment",
                         .Choices = {"Left", "Center", "Right"},
                         .ChoiceControls = {"WRLeftRadioButton", "WRCenterRadioButton",
                                            "WRRightRadioButton"}}),
                  Field(&P::Bold, {.Kind = ControlKind::Check, .Name = "bold"}),
                  Field(&P::Italic, {.Kind = ControlKind::Check, .Name = "italic"}),
                  Field(&P::BitmapFont,
                        {.Caption = "check this when you have problems with this function",
                         .Kind = ControlKind::Check,
                         .Control = "CheckBox1",
                         .Name = "bitmap-font"})},
       .HelpPage = "Write.html",
       .MenuItems = {"LMWrite1"}},
      [](const EffectInput& in, const P& p, uint32_t) {
        const auto renderer = MakeTextRenderer(p);
        return WriteText(in, SplitLines(p.Text), p, *renderer);
      });
}

std::function<editor::TBitmap()>& PastePicture() {
  static std::function<editor::TBitmap()> source;
  return source;
}

EffectRow PasteInsertRow() {
  using P = PasteInsertParams;
  return Effect<P>(
      {.Caption = "Paste Insert",
       .FormName = "TPasteInsertForm",
       .FormCaption = "Paste Insert",
       .Params = {Field(&P::Mode,
                        {.Caption = "Insert Mode",
                         .Choices = {"As New Selection", "To Selection (adjust size)",
                                     "To Selection (Wallpaper)"},
                         .ChoiceControls = {"PIAsNewSelectionRadioButton",
                                            "PIToSelectionAdjustSize", "PIToSelectionWallpaper"},
                         .Name = "mode"}),
                  Field(&P::X, {.Caption = "x", .Max = 65535, .Control = "XSpinEdit"}),
                  Field(&P::Y, {.Caption = "y", .Max = 65535, .Control = "YSpinEdit"}),
                  Field(&P::Mix, {.Caption = "Mix old and new image",
                                  .Kind = ControlKind::Check,
                                  .Control = "PIMixCheckBox",
                                  .Name = "mix"})},
       .MenuItems = {"LMPasteInsert1"}},
      [](const EffectInput& in, const P& p, uint32_t) {
        if (!PastePicture()) throw ELumarteError("Nothing on Clipboard!");
        return PasteInsert(in, PastePicture()(), p);
      });
}

}  // namespace

void SetPastePicture(std::function<editor::TBitmap()> source) {
  PastePicture() = std::move(source);
}

void AddInsertEffects(std::vector<EffectRow>& rows) {
  rows.push_back(WriteRow());
  rows.push_back(PasteInsertRow());
}

}  // namespace lumarte::effects

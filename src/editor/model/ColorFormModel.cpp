#include "editor/model/ColorFormModel.h"

#include <algorithm>

#include "imaging/Errors.h"

namespace lumarte::editor {

namespace {

int32_t& Component(TColorEntry& e, TChannel channel) {
  switch (channel) {
    case TChannel::Red:
      return e.R;
    case TChannel::Green:
      return e.G;
    default:
      return e.B;
  }
}

int Component255(int value) {
  return std::clamp(value, 0, 255);
}

// The interval is off while its centre carries a negative component (the
// marker -99 of a switched-off interval).
bool IntervalOn(const TColorEntry& centre) {
  return centre.R >= 0 && centre.G >= 0 && centre.B >= 0;
}

TColorEntry Clamped(const TColorEntry& e) {
  return {Component255(e.B), Component255(e.G), Component255(e.R)};
}

}  // namespace

const std::array<const char*, kColorTabCount> kColorTabCaptions = {
    "Foreground", "Background", "Color 1", "Color 2", "Color 3",
    "Color 4",    "Color 5",    "Color 6", "Color 7", "Color 8"};

TColorMember ColorTabMember(int tab) {
  if (tab < 0 || tab >= kColorTabCount) throw ELumarteError("No colour tab " + std::to_string(tab));
  if (tab == 0) return TColorMember::FG;
  if (tab == 1) return TColorMember::BG;
  return ColorK(tab - 1);
}

void TColorFormModel::Load(const TColorSet& set) {
  const TColorEntry lastCentre = Work.TCI;
  Work = set;
  TCIOn = IntervalOn(set.TCI);
  Work.TCI = TCIOn ? Clamped(set.TCI) : lastCentre;
}

void TColorFormModel::WriteBack(TColorSet& set) const {
  const TColorEntry centre = Work.TCI;
  set = Work;
  set.TCI = TCIOn ? centre : kTCIOff;
}

void TColorFormModel::SelectTab(int tab) {
  ColorTabMember(tab);  // range check
  CurrentTab = tab;
}

TColorEntry TColorFormModel::Selected() const {
  return Member(ColorTabMember(CurrentTab));
}

const TColorEntry& TColorFormModel::Member(TColorMember m) const {
  return Work.Member(m);
}

void TColorFormModel::SetSelected(TChannel channel, int value) {
  Component(Edited(), channel) = Component255(value);
}

void TColorFormModel::SetSelected(TColorEntry colour) {
  Edited() = Clamped(colour);
}

void TColorFormModel::SwitchWith(int tab) {
  Work.SwapColours(ColorTabMember(CurrentTab), ColorTabMember(tab));
}

int TColorFormModel::LineWidth() const {
  return std::clamp(Work.PenWidth, kLineWidthMin, kLineWidthMax);
}

void TColorFormModel::SetLineWidth(int width) {
  Work.PenWidth = std::clamp(width, kLineWidthMin, kLineWidthMax);
}

void TColorFormModel::SetTCI(TChannel channel, int value) {
  Component(Work.TCI, channel) = Component255(value);
}

int TColorFormModel::TCIWidth() const {
  return std::clamp(Work.TCIWidth, kTCIWidthMin, kTCIWidthMax);
}

void TColorFormModel::SetTCIWidth(int width) {
  Work.TCIWidth = std::clamp(width, kTCIWidthMin, kTCIWidthMax);
}

}  // namespace lumarte::editor

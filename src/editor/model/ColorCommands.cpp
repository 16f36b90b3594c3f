#include "editor/model/ColorCommands.h"

namespace lumarte::editor {

namespace {

using M = TColorMember;

// "Color 1".."Color 8" with the component names prefix + k + suffix.
std::vector<TColourCommand> Numbered(std::vector<TColourCommand> head, const char* const names[8]) {
  static const char* const kCaptions[8] = {"Color 1", "Color 2", "Color 3", "Color 4",
                                           "Color 5", "Color 6", "Color 7", "Color 8"};
  for (int k = 1; k <= 8; ++k) head.push_back({names[k - 1], kCaptions[k - 1], ColorK(k)});
  return head;
}

const char* const kToColour[8] = {"N11", "N21", "N31", "N41", "N51", "N61", "N71", "N81"};
const char* const kForegroundWith[8] = {"Color11", "Color21", "Color31", "Color41",
                                        "Color51", "Color61", "Color71", "Color81"};
const char* const kBackgroundWith[8] = {"Color12", "Color22", "Color32", "Color42",
                                        "Color52", "Color62", "Color72", "Color82"};

}  // namespace

const std::vector<TColourCommand> kTakeColourCommands =
    Numbered({{"toForegroundColor1", "to Foreground Color", M::FG},
              {"toBackgroundColor1", "to Background Color", M::BG},
              {"toTransparentColorInterval1", "to Transparent Color Interval", M::TCI}},
             kToColour);

const std::vector<TColourCommand> kSwitchForegroundCommands = Numbered(
    {{"BGColor1", "Background Color", M::BG}, {"TransparentColor2", "Transparent Color", M::TCI}},
    kForegroundWith);

const std::vector<TColourCommand> kSwitchBackgroundCommands =
    Numbered({{"ForegroundColor1", "Foreground Color", M::FG},
              {"TransparentColor1", "Transparent Color", M::TCI}},
             kBackgroundWith);

std::vector<TSwatch> ColourPanelSwatches(const TColorSet& colours) {
  std::vector<TSwatch> s;
  auto add = [&](int left, int right, const TColorEntry& c, char label, int labelX) {
    s.push_back({left, right, c, label, labelX, c.LabelIsWhite()});
  };
  add(0, 20, colours.FG, 'F', 7);
  add(20, 40, colours.BG, 'B', 27);
  add(40, 60, colours.TCI, 'T', 47);
  for (int k = 1; k <= 8; ++k) {
    const int x = 49 + 11 * k;
    add(x, x + 13, colours.Colors[k - 1], static_cast<char>('0' + k), x + 1);
  }
  return s;
}

void TakeStatusColour(TColorSet& colours, TColorMember member, const std::string& panelText) {
  colours.Member(member) = ParseStatusColour(panelText);
}

}  // namespace lumarte::editor

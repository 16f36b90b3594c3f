// The table rows of the direct commands: no dialog, no parameters; the menu
// item runs the command at once.
#include "editor/model/ChannelSplit.h"
#include "effects/model/EffectTable.h"
#include "effects/model/ParamRows.h"
#include "effects/model/PixelOps.h"
#include "base/Random.h"

namespace lumarte::effects {

namespace {

EffectRow CommandRow(const PixelCommand& c) {
  EffectRow row;
  const std::string prefix = c.Prefix;
  row.Name = CliName(prefix.empty() ? c.Caption : prefix + " " + c.Caption);
  row.Caption = c.Caption;
  row.MenuItems = {c.MenuItem};
  row.Run = [run = c.Run](const EffectInput& in, const ParamValues&, uint32_t seed) {
    // Commands that draw go on from the given state of the one generator.
    Rng().Seed(seed);
    return run(in);
  };
  return row;
}

// Split colors (RGB) opens three documents in the window; on the command
// line it gives the one part named by "channel".
EffectRow SplitRow() {
  EffectRow row;
  row.Caption = "Split colors (RGB) of the image into 3 images";
  row.Name = CliName(row.Caption);
  const EffectParam channel = Choice("channel", "Channel", {"red", "green", "blue"});
  row.Params = {channel};
  row.Run = [channel](const EffectInput& in, const ParamValues& v, uint32_t) {
    return editor::ChannelImage(in.Source, static_cast<editor::TColourChannel>(v.Int(channel)));
  };
  return row;
}

}  // namespace

void AddPixelOpEffects(std::vector<EffectRow>& rows) {
  for (auto table : {ColourMapCommands, RemapCommands, TextureCommands, DrawCommands})
    for (const PixelCommand& c : table()) rows.push_back(CommandRow(c));
  rows.push_back(SplitRow());
}

}  // namespace lumarte::effects

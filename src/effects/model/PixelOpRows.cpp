// The table rows of the direct commands: no dialog, no parameters; the menu
// item runs the command at once.
#include "editor/model/ChannelSplit.h"
#include "effects/model/EffectTable.h"
#include "effects/model/PixelOps.h"
#include "base/Random.h"

namespace lumarte::effects {

namespace {

EffectRow CommandRow(const PixelCommand& c) {
  const std::string prefix = c.Prefix;
  return {.Caption = c.Caption,
          .MenuItems = {c.MenuItem},
          .Run = [run = c.Run](const EffectInput& in, const ParamValues&, uint32_t seed) {
            // Commands that draw go on from the given state of the one generator.
            Rng().Seed(seed);
            return run(in);
          },
          // "Vertical" alone says little on the command line: "flip-vertical".
          .Name = CliName(prefix.empty() ? c.Caption : prefix + " " + c.Caption)};
}

struct SplitParams {
  editor::TColourChannel Channel = editor::TColourChannel::Red;
};

// Split colors (RGB) opens three documents in the window; on the command
// line it gives the one part named by "channel".
EffectRow SplitRow() {
  return Effect<SplitParams>(
      {.Caption = "Split colors (RGB) of the image into 3 images",
       .Params = {Field(&SplitParams::Channel,
                        {.Caption = "Channel", .Choices = {"red", "green", "blue"}})}},
      [](const EffectInput& in, const SplitParams& p, uint32_t) {
        return editor::ChannelImage(in.Source, p.Channel);
      });
}

}  // namespace

void AddPixelOpEffects(std::vector<EffectRow>& rows) {
  for (auto table : {ColourMapCommands, RemapCommands, TextureCommands, DrawCommands})
    for (const PixelCommand& c : table()) rows.push_back(CommandRow(c));
  rows.push_back(SplitRow());
}

}  // namespace lumarte::effects

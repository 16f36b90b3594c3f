// The table rows of red-eye removal and buttonize.
#include "base/Random.h"
#include "effects/model/EffectTable.h"
#include "effects/model/RetouchEffects.h"

namespace lumarte::effects {

namespace {

EffectRow RedEyeRow() {
  return Effect<RedEyeParams>({.Caption = "Red Eye Removal",
                               .FormName = "TRedEyeForm",
                               .FormCaption = "Red Eye Removal",
                               .Policy = RecomputePolicy::ReusePreview,
                               .HelpPage = "RedEyeRemoval.html",
                               .MenuItems = {"LMRedEyeRemoval1"}},
                              [](const EffectInput& in, const RedEyeParams&, uint32_t seed) {
                                Rng().Seed(seed);
                                return RedEyeRemoval(in);
                              });
}

EffectRow ButtonizeRow() {
  using P = ButtonizeParams;
  return Effect<P>(
      {.Caption = "Buttonize & Posterize",
       .FormName = "TButtonizeForm",
       .FormCaption = "Buttonize & Posterize",
       .Params = {Field(&P::BorderSize, {.Caption = "Border Size",
                                         .Min = 1,
                                         .Max = 200,
                                         .Default = 10,
                                         .Control = "BorderSizeSpinEdit"}),
                  Field(&P::Posterize, {.Caption = "Posterize - number of bitplanes eliminated ",
                                        .Kind = ControlKind::Check,
                                        .Control = "BTNPosterizeCheckBox",
                                        .Name = "posterize"}),
                  Field(&P::Bitplanes, {.Min = 2,
                                        .Max = 7,
                                        .Default = 6,
                                        .Control = "BitplaneSpinEdit",
                                        .Name = "bitplanes"})},
       .Policy = RecomputePolicy::ReusePreview,
       .HelpPage = "Buttonize.html",
       .MenuItems = {"LMButtonize1"}},
      [](const EffectInput& in, const P& p, uint32_t seed) {
        Rng().Seed(seed);
        return Buttonize(in, p);
      });
}

}  // namespace

void AddRetouchEffects(std::vector<EffectRow>& rows) {
  rows.push_back(RedEyeRow());
  rows.push_back(ButtonizeRow());
}

}  // namespace lumarte::effects

#pragma once
// An effect dialog whose controls are built from the effect's table row:
// track bars with their spin edits, radio groups, combo boxes, check boxes,
// each named as the row says (so language files reach them).
#include <functional>
#include <map>

#include "effects/ui/BaseEffectForm.h"

class QAbstractButton;
class QComboBox;
class QSlider;
class QSpinBox;

namespace lumarte::effects {

class TParamEffectForm : public TBaseEffectForm {
 public:
  TParamEffectForm(const EffectRow& row, editor::DocumentList& documents, QWidget* parent);

  // The values the controls hold now.
  ParamValues Values() const;
  // Sets a parameter's control (as a user would).
  void SetValue(const std::string& param, double value);

 protected:
  // Builds the controls; dialogs with a layout of their own call it for the
  // parameters they show plainly.
  void BuildControls();
  virtual QWidget* BuildControl(const EffectParam& p);
  QWidget* BuildSlider(const EffectParam& p);
  // The width of the caption column: the widest slider or list caption.
  int CaptionColumnWidth() const;
  // A spin edit alone for a number parameter, named by its Edit (else its
  // Control) and bound as the row says.
  QSpinBox* SpinEdit(const EffectParam& p, QWidget* parent);
  editor::TBitmap ComputeEffect(const EffectInput& in) override;
  // The generator seed for one computation (the noise dialog fixes its own).
  virtual uint32_t Seed() const;
  // Called whenever a control changes.
  virtual void ControlChanged(const EffectParam&) { Session.Invalidate(); }

  struct Binding {
    std::function<double()> Get;
    std::function<void(double)> Set;
  };
  std::map<std::string, Binding> Bindings;
  QSlider* Slider(const std::string& param) const;
};

}  // namespace lumarte::effects

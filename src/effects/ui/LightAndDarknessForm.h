#pragma once
// "Light and Darkness": the source and barrier lists, the fields of the
// selected source and barrier, the global factor and the visualisation.
// The dialog only edits the lists; the model computes.
#include <functional>
#include <vector>

#include "effects/model/Lighting.h"
#include "effects/ui/ParamEffectForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace lumarte::effects {

class TLightVisualization;

class TLightAndDarknessForm : public TParamEffectForm {
 public:
  TLightAndDarknessForm(const EffectRow& row, editor::DocumentList& documents, QWidget* parent);
  void Build();

  std::vector<TLight> Lights;
  std::vector<TBarrier> Barriers;

  QListWidget *LightListBox = nullptr, *BarrierListBox = nullptr;
  QPushButton *AddLightButton = nullptr, *DeleteLightButton = nullptr;
  QPushButton *AddBarrierButton = nullptr, *DeleteBarrierButton = nullptr;
  QPushButton *ZoomInButton = nullptr, *ZoomOutButton = nullptr, *ResetButton = nullptr;
  QLabel* PositionLabel = nullptr;
  TLightVisualization* Visualization = nullptr;

  void AddLightClick();
  void DeleteLightClick();
  void AddBarrierClick();
  void DeleteBarrierClick();

 protected:
  editor::TBitmap ComputeEffect(const EffectInput& in) override;
  void showEvent(QShowEvent* e) override;

 private:
  // A number field of the selected item: its control and how it reads and
  // writes the item.
  template <class T>
  struct ItemField {
    QSpinBox* Spin;
    std::function<int(const T&)> Get;
    std::function<void(T&, int)> Set;
  };

  QGroupBox* BuildLightGroup();
  QGroupBox* BuildBarrierGroup();
  QGroupBox* BuildGlobalGroup();
  QGroupBox* BuildVisualizationGroup();
  void ShowLists();
  // Puts the selected item's values into the fields.
  void ShowLight();
  void ShowBarrier();
  // The fields changed: the selected item takes their values.
  void TakeLight();
  void TakeBarrier();
  void ItemsChanged();

  editor::DocumentList& Docs;
  std::vector<ItemField<TLight>> LightFields;
  std::vector<ItemField<TBarrier>> BarrierFields;
  QComboBox *LightStyleComboBox = nullptr, *LightFunctionComboBox = nullptr;
  QComboBox* BarrierStyleComboBox = nullptr;
  QWidget *LightEdits = nullptr, *BarrierEdits = nullptr;
  bool Showing = false;  // the fields are being filled, not edited
};

}  // namespace lumarte::effects

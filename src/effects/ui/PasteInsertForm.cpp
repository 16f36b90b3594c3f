// "Paste Insert": the insert mode, the position for a new selection, mixing,
// and the transparent-colour box that is not available.
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "effects/model/InsertEffects.h"
#include "effects/ui/InsertForms.h"
#include "effects/ui/SpinEffectForm.h"
#include "imaging/Errors.h"
#include "platform/Clipboard.h"

namespace lumarte::effects {

namespace {

class TPasteInsertForm : public TSpinEffectForm {
 public:
  TPasteInsertForm(const EffectRow& row, editor::DocumentList& documents, QWidget* parent)
      : TSpinEffectForm(row, documents, parent), Docs(documents) {
    SetPastePicture([] {
      std::optional<editor::TBitmap> picture = platform::ClipboardPicture();
      if (!picture) throw ELumarteError("Nothing on Clipboard!");
      return *std::move(picture);
    });
  }
  void Build() {
    for (const auto& p : Row.Params)
      if (p.Name != "x" && p.Name != "y") Controls->addWidget(BuildControl(p));
    auto* position = ui::Named(new QGroupBox("Position", this), "GroupBox2");
    auto* row = new QHBoxLayout(position);
    row->addWidget(SpinControl(Row.Param("x")));
    row->addWidget(SpinControl(Row.Param("y")));
    Controls->insertWidget(1, position);
    auto* tci = new QWidget(this);
    auto* line = new QHBoxLayout(tci);
    line->setContentsMargins(0, 0, 0, 0);
    auto* box = ui::Named(new QCheckBox("Transparent Color", tci), "PITCICheckBox1");
    box->setEnabled(false);
    line->addWidget(box);
    line->addWidget(ui::Named(new QLabel("(TCI)", tci), "Label1"));
    line->addStretch();
    Controls->addWidget(tci);
    resize(340, 300);
  }

 protected:
  void showEvent(QShowEvent* e) override {
    const editor::TBitmap& image = *Docs.Current().Bitmap;
    findChild<QSpinBox*>("XSpinEdit")->setMaximum(image.Width());
    findChild<QSpinBox*>("YSpinEdit")->setMaximum(image.Height());
    editor::TPoint anchor = Session.LastPressed;
    if (anchor.X < 0) {
      const editor::TRect bounds = Docs.SelectionTest().Bounds();
      anchor = {bounds.Left, bounds.Top};
    }
    SetValue("x", anchor.X);
    SetValue("y", anchor.Y);
    TSpinEffectForm::showEvent(e);
  }

 private:
  editor::DocumentList& Docs;
};

}  // namespace

void AddPasteInsertForm(EffectFormFactories& f) {
  f["TPasteInsertForm"] = MakeEffectForm<TPasteInsertForm>;
}

}  // namespace lumarte::effects

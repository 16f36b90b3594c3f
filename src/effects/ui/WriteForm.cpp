// "Write": the text in a memo that shows the chosen font and colour, the
// font and colour buttons, size, position and alignment.
#include <QFontDialog>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/model/ProgramState.h"
#include "effects/model/InsertEffects.h"
#include "effects/ui/InsertForms.h"
#include "effects/ui/SpinEffectForm.h"
#include "platform/TextDrawing.h"

namespace lumarte::effects {

namespace {

std::function<void()>& ColourDialog() {
  static std::function<void()> open;
  return open;
}

FontChooser& ChooseFont() {
  static FontChooser choose = [](const QFont& start, QWidget* parent) -> std::optional<QFont> {
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, start, parent);
    if (!ok) return std::nullopt;
    return font;
  };
  return choose;
}

class TWriteForm : public TSpinEffectForm {
 public:
  TWriteForm(const EffectRow& row, editor::DocumentList& documents, QWidget* parent)
      : TSpinEffectForm(row, documents, parent), Docs(documents) {
    platform::InstallTextDrawing();
    TextFont.setFamily("DejaVu Sans");
    TextFont.setPointSize(12);
  }
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton *WRFontButton = nullptr, *WRColorButton = nullptr;
  // The editor's text font; kept between uses like the controls.
  QFont TextFont;

  void Build() {
    BuildControls();
    WRColorButton = ui::Named(new QPushButton("Select Color", this), "WRColorButton");
    WRColorButton->setEnabled(static_cast<bool>(ColourDialog()));
    Controls->addWidget(WRColorButton, 0, Qt::AlignLeft);
    connect(WRColorButton, &QPushButton::clicked, this, [this] {
      if (ColourDialog()) ColourDialog()();
      ShowFont();
    });
    resize(420, 420);
  }

 protected:
  QWidget* BuildControl(const EffectParam& p) override {
    if (p.Name == "text") {
      Memo1 = ui::Named(new QPlainTextEdit(this), "Memo1");
      connect(Memo1, &QPlainTextEdit::textChanged, this, [this, &p] { ControlChanged(p); });
      return Memo1;
    }
    if (p.Name == "font") {
      WRFontButton = ui::Named(new QPushButton("Select Font", this), "WRFontButton");
      connect(WRFontButton, &QPushButton::clicked, this, [this] { SelectFont(); });
      return WRFontButton;
    }
    if (p.Name == "bold" || p.Name == "italic") return nullptr;  // from the font
    if (p.Kind == ControlKind::Slider) {
      QWidget* spin = SpinControl(p);
      if (p.Name == "size")
        connect(findChild<QSpinBox*>("FontSizeSpinEdit"), &QSpinBox::valueChanged, this,
                [this](int points) {
                  TextFont.setPointSize(points);
                  ShowFont();
                });
      return spin;
    }
    return TParamEffectForm::BuildControl(p);
  }
  void showEvent(QShowEvent* e) override {
    const editor::TBitmap& image = *Docs.Current().Bitmap;
    findChild<QSpinBox*>("SpinEdit1")->setMaximum(image.Width());
    findChild<QSpinBox*>("SpinEdit2")->setMaximum(image.Height());
    editor::TPoint anchor = Session.LastPressed;
    if (anchor.X < 0) {
      const editor::TRect bounds = Docs.SelectionTest().Bounds();
      anchor = {bounds.Left, bounds.Top};
    }
    SetValue("left", anchor.X);
    SetValue("top", anchor.Y);
    SetValue("size", TextFont.pointSize());
    ShowFont();
    TSpinEffectForm::showEvent(e);
  }
  editor::TBitmap ComputeEffect(const EffectInput& in) override {
    ParamValues v = Values();
    v.SetText("text", Memo1->toPlainText().toStdString());
    v.SetText("font", TextFont.family().toStdString());
    v.Set("bold", TextFont.bold());
    v.Set("italic", TextFont.italic());
    return Row.Run(in, v, Seed());
  }

 private:
  void SelectFont() {
    if (std::optional<QFont> font = ChooseFont()(TextFont, this)) {
      TextFont = *font;
      SetValue("size", TextFont.pointSize());
      ShowFont();
      Session.Invalidate();
    }
  }
  // The memo in the font and the foreground colour, on white when that
  // colour is very dark and on black otherwise.
  void ShowFont() {
    if (!Memo1) return;
    const editor::TColor c = editor::ProgramState().Colours.FG.Color();
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::Text, QColor(c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF));
    palette.setColor(QPalette::Base, (c & 0xF0F0F0) == 0 ? Qt::white : Qt::black);
    Memo1->setPalette(palette);
    Memo1->setFont(TextFont);
  }
  editor::DocumentList& Docs;
};

}  // namespace

void SetWriteColourDialog(std::function<void()> open) {
  ColourDialog() = std::move(open);
}

void SetWriteFontChooser(FontChooser choose) {
  ChooseFont() = std::move(choose);
}

void AddInsertForms(EffectFormFactories& f) {
  f["TWriteForm"] = MakeEffectForm<TWriteForm>;
  AddPasteInsertForm(f);
}

}  // namespace lumarte::effects

// The renderer's mirror of the model: pixel geometry, nesting, stacking, painting and
// keeping widgets in step with the model's changes.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/line.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui_qt/text_metrics.h"
#include "qt_test_support.h"

namespace feriant::ui_qt {
namespace {

using testing::PanelControl;
using testing::Settle;

class RendererTest : public testing::QtTest {};

TEST_F(RendererTest, AFormWithALabelAButtonAndALineIsLaidOutInPixels) {
  auto form = MakeForm();
  auto& label = form->Add<ui::Label>("lblName");
  ASSERT_TRUE(label.Move(150, 300, 1500, 240));
  label.SetCaption("Name:");
  auto& button = form->Add<ui::CommandButton>("cmdOK");
  ASSERT_TRUE(button.Move(3000, 2400, 1125, 345));
  button.SetCaption("OK");
  auto& line = form->Add<ui::Line>("linSeparator");
  line.SetPoints(0, 2250, 4680, 2250);
  ASSERT_TRUE(line.SetBorderColor(ui::Rgb(255, 0, 0)));
  ASSERT_TRUE(form->Show());
  Settle();

  QWidget* surface = backend().FormWidget(*form);
  ASSERT_NE(surface, nullptr);
  EXPECT_TRUE(surface->isWindow());
  EXPECT_EQ(surface->size(), QSize(312, 213));
  ASSERT_NE(backend().WidgetOf(label), nullptr);
  ASSERT_NE(backend().WidgetOf(button), nullptr);
  EXPECT_EQ(backend().WidgetOf(label)->geometry(), QRect(10, 20, 100, 16));
  EXPECT_EQ(backend().WidgetOf(button)->geometry(), QRect(200, 160, 75, 23));
  EXPECT_EQ(backend().WidgetOf(button)->parentWidget(), surface);
  EXPECT_EQ(static_cast<QPushButton*>(backend().WidgetOf(button))->text(), "OK");

  // The line is painted at y = 2250 / 15 = 150 across the form, and nowhere else.
  const QImage shot = Snapshot(*surface);
  for (int x : {0, 100, 311}) {
    EXPECT_EQ(shot.pixelColor(x, 150), QColor(255, 0, 0)) << x;
    EXPECT_NE(shot.pixelColor(x, 148), QColor(255, 0, 0)) << x;
    EXPECT_NE(shot.pixelColor(x, 152), QColor(255, 0, 0)) << x;
  }
}

TEST_F(RendererTest, EveryKindOfControlGetsItsWidgetAtItsPixelBounds) {
  auto form = MakeForm();
  struct Case {
    ui::Control* control;
    QRect pixels;
    const char* qt_class;
  };
  auto place = [&](ui::Control& control, int left, int top, int width, int height) {
    EXPECT_TRUE(control.Move(left, top, width, height));
    return &control;
  };
  const Case cases[] = {
      {place(form->Add<ui::Label>("lbl"), 20, 20, 40, 40), QRect(1, 1, 3, 3), "QWidget"},
      {place(form->Add<ui::CommandButton>("cmd"), 3720, 300, 1125, 345), QRect(248, 20, 75, 23),
       "QPushButton"},
      {place(form->Add<ui::TextBox>("txt"), 600, 900, 2000, 300), QRect(40, 60, 133, 20),
       "QLineEdit"},
      {place(form->Add<ui::CheckBox>("chk"), 600, 1500, 2500, 255), QRect(40, 100, 167, 17),
       "QCheckBox"},
      {place(form->Add<ui::Image>("img"), 4000, 0, 555, 495), QRect(267, 0, 37, 33), "QWidget"},
      {place(form->Add<ui::PictureBox>("pic"), 240, 30, 2190, 210), QRect(16, 2, 146, 14),
       "QWidget"},
  };
  ASSERT_TRUE(form->Show());
  Settle();
  for (const Case& c : cases) {
    QWidget* widget = backend().WidgetOf(*c.control);
    ASSERT_NE(widget, nullptr) << c.control->Name();
    EXPECT_EQ(widget->geometry(), c.pixels) << c.control->Name();
    EXPECT_TRUE(widget->inherits(c.qt_class)) << c.control->Name();
    EXPECT_TRUE(widget->isVisible()) << c.control->Name();
  }
}

TEST_F(RendererTest, ChangesInTheModelReachTheWidgets) {
  auto form = MakeForm();
  auto& button = form->Add<ui::CommandButton>("cmdOK");
  auto& text = form->Add<ui::TextBox>("txtName");
  auto& check = form->Add<ui::CheckBox>("chkAll");
  ASSERT_TRUE(form->Show());
  Settle();
  auto* qt_button = static_cast<QPushButton*>(backend().WidgetOf(button));
  auto* qt_text = static_cast<QLineEdit*>(backend().WidgetOf(text));
  auto* qt_check = static_cast<QCheckBox*>(backend().WidgetOf(check));
  ASSERT_TRUE(qt_button && qt_text && qt_check);

  button.SetCaption("&Import");
  ASSERT_TRUE(button.Move(150, 150, 1500, 345));
  button.SetEnabled(false);
  button.SetDefault(true);
  EXPECT_EQ(qt_button->text(), "&Import");
  EXPECT_EQ(qt_button->geometry(), QRect(10, 10, 100, 23));
  EXPECT_FALSE(qt_button->isEnabled());
  EXPECT_TRUE(qt_button->isDefault());
  button.SetVisible(false);
  EXPECT_FALSE(qt_button->isVisible());

  button.Font()->SetBold(true);
  ASSERT_TRUE(button.Font()->SetSize(automation::Currency::FromDouble(12)));
  EXPECT_TRUE(qt_button->font().bold());
  EXPECT_DOUBLE_EQ(qt_button->font().pointSizeF(), 12.0);

  text.SetText("Bayern");
  text.SetLocked(true);
  EXPECT_EQ(qt_text->text(), "Bayern");
  EXPECT_TRUE(qt_text->isReadOnly());

  const struct {
    int value;
    Qt::CheckState state;
  } states[] = {{1, Qt::Checked}, {2, Qt::PartiallyChecked}, {0, Qt::Unchecked}};
  for (const auto& s : states) {
    ASSERT_TRUE(check.SetValue(s.value));
    EXPECT_EQ(qt_check->checkState(), s.state) << s.value;
  }

  // A text box that turns multi-line becomes a multi-line editor with the same text.
  text.SetText("eins\r\nzwei");
  text.SetMultiLine(true);
  auto* editor = dynamic_cast<QPlainTextEdit*>(backend().WidgetOf(text));
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->toPlainText(), "eins\nzwei");
}

TEST_F(RendererTest, AUserControlIsAContainerWidgetWithItsConstituents) {
  auto form = MakeForm(6000, 4500);
  auto panel = std::make_shared<PanelControl>(ui::align::kBottom);
  auto placed = form->AddUserControl(panel, "pnl");
  ASSERT_TRUE(placed);
  ASSERT_TRUE(form->Show());
  Settle();

  QWidget* surface = backend().FormWidget(*form);
  QWidget* extender = backend().WidgetOf(**placed);
  ASSERT_NE(extender, nullptr);
  EXPECT_EQ(extender->parentWidget(), surface);
  // Docked to the bottom edge across the whole client width: 6000 x 600 at 3900.
  EXPECT_EQ(extender->geometry(), QRect(0, 260, 400, 40));
  QWidget* button = backend().WidgetOf(panel->button());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->parentWidget(), extender);
  EXPECT_EQ(button->geometry(), QRect(120, 8, 75, 23));
  EXPECT_EQ(backend().WidgetOf(panel->label())->parentWidget(), extender);

  // A label of the form placed inside the user control moves into its widget.
  auto& note = form->Add<ui::Label>("lblNote");
  ASSERT_TRUE(note.Move(150, 0, 600, 195));
  ASSERT_FALSE(note.SetContainer(*placed));  // this control does not accept children
  EXPECT_EQ(backend().WidgetOf(note)->parentWidget(), surface);

  // Removing the control takes its widget and its constituents' widgets away.
  QPointer<QWidget> gone_extender = extender;
  QPointer<QWidget> gone_button = button;
  ASSERT_TRUE(form->Remove(**placed));
  EXPECT_EQ(backend().WidgetOf(panel->button()), nullptr);
  Settle();
  EXPECT_TRUE(gone_extender.isNull());
  EXPECT_TRUE(gone_button.isNull());
}

TEST_F(RendererTest, WindowlessControlsLieUnderWindowedOnes) {
  auto form = MakeForm();
  auto& button = form->Add<ui::CommandButton>("cmdUnder");
  ASSERT_TRUE(button.Move(0, 0, 1500, 600));
  auto& first = form->Add<ui::Label>("lblFirst");
  auto& second = form->Add<ui::Label>("lblSecond");
  auto& picture = form->Add<ui::PictureBox>("picTop");
  for (ui::Control* c : {static_cast<ui::Control*>(&first), static_cast<ui::Control*>(&second),
                         static_cast<ui::Control*>(&picture)}) {
    ASSERT_TRUE(c->Move(0, 0, 1500, 600));
  }
  ASSERT_TRUE(form->Show());
  Settle();
  const QObjectList order = backend().FormWidget(*form)->children();  // bottom first
  auto at = [&](ui::Control& c) { return order.indexOf(backend().WidgetOf(c)); };
  EXPECT_LT(at(first), at(second));
  EXPECT_LT(at(second), at(button));
  EXPECT_LT(at(button), at(picture));
}

TEST_F(RendererTest, LabelsPaintTheirBackgroundAndUseRealMetrics) {
  auto form = MakeForm();
  ASSERT_TRUE(form->SetBackColor(ui::Rgb(0, 128, 0)));
  auto& opaque = form->Add<ui::Label>("lblOpaque");
  ASSERT_TRUE(opaque.Move(0, 0, 1500, 300));
  ASSERT_TRUE(opaque.SetBackColor(ui::system_color::kWindowBackground));
  auto& clear = form->Add<ui::Label>("lblClear");
  ASSERT_TRUE(clear.Move(0, 600, 1500, 300));
  ASSERT_TRUE(clear.SetBackStyle(ui::back_style::kTransparent));
  ASSERT_TRUE(clear.SetBackColor(ui::Rgb(255, 0, 0)));
  auto& sized = form->Add<ui::Label>("lblSized");
  sized.SetAutoSize(true);
  sized.SetCaption("Feiertage eintragen");
  ASSERT_TRUE(form->Show());
  Settle();

  const QImage shot = Snapshot(*backend().FormWidget(*form));
  EXPECT_EQ(shot.pixelColor(95, 15), QApplication::palette().color(QPalette::Base));
  EXPECT_EQ(shot.pixelColor(95, 55), QColor(0, 128, 0));  // the form shows through

  // Auto-size went through Qt's metrics of the label's font.
  const QFontMetricsF real(ToQFont(sized.Font()->Desc()));
  EXPECT_EQ(sized.Width(),
            static_cast<int>(std::ceil(real.horizontalAdvance("Feiertage eintragen") - 1e-6)) * 15);
  EXPECT_EQ(sized.Height(), static_cast<int>(std::ceil(real.height() - 1e-6)) * 15);

  // A wrapping label is as high as the lines the renderer paints.
  auto& wrapped = form->Add<ui::Label>("lblWrapped");
  wrapped.SetWordWrap(true);
  wrapped.SetAutoSize(true);
  ASSERT_TRUE(wrapped.SetWidth(sized.Width()));
  wrapped.SetCaption("Feiertage eintragen Feiertage eintragen Feiertage");
  TextMetrics metrics(15, 15);
  EXPECT_EQ(wrapped.Height(), 3 * metrics.LineHeight(wrapped.Font()->Desc()));
}

TEST_F(RendererTest, PicturesArePaintedPixelForPixelOrStretched) {
  auto form = MakeForm();
  auto picture = ui::StdPicture::FromPixels(2, 1, {ui::Rgb(255, 0, 0), ui::Rgb(0, 0, 255)});
  ASSERT_TRUE(picture);
  auto& natural = form->Add<ui::Image>("imgNatural");
  natural.SetPicture(*picture);
  auto& stretched = form->Add<ui::Image>("imgStretched");
  stretched.SetStretch(true);
  ASSERT_TRUE(stretched.Move(0, 300, 600, 300));
  stretched.SetPicture(*picture);
  auto& box = form->Add<ui::PictureBox>("picBox");
  ASSERT_TRUE(box.Move(1500, 0, 600, 300));
  ASSERT_TRUE(box.SetBackColor(ui::Rgb(0, 255, 0)));
  box.SetPicture((*picture)->Clone());
  ASSERT_TRUE(form->Show());
  Settle();

  EXPECT_EQ(backend().WidgetOf(natural)->size(), QSize(2, 1));
  const QImage shot = Snapshot(*backend().FormWidget(*form));
  EXPECT_EQ(shot.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(1, 0), QColor(0, 0, 255));
  EXPECT_EQ(shot.pixelColor(3, 30), QColor(255, 0, 0));    // 40 x 20 pixels, left half
  EXPECT_EQ(shot.pixelColor(36, 30), QColor(0, 0, 255));   // right half
  EXPECT_EQ(shot.pixelColor(100, 0), QColor(255, 0, 0));   // the box's picture at its top-left
  EXPECT_EQ(shot.pixelColor(110, 10), QColor(0, 255, 0));  // and its back colour around it

  // Pixels written into the picture show at the next paint.
  ASSERT_TRUE(box.PSet(0, 0, ui::Rgb(255, 255, 0)));
  Settle();
  EXPECT_EQ(Snapshot(*backend().FormWidget(*form)).pixelColor(100, 0), QColor(255, 255, 0));
}

TEST_F(RendererTest, AFormBuiltBeforeTheRendererIsMirroredWhenShown) {
  auto form = std::make_shared<ui::Form>("frmEarly");
  ASSERT_TRUE(form->Load());
  {
    // Built with the headless backend, then the renderer takes over.
    auto previous = ui::SetBackend(nullptr);
    auto& label = form->Add<ui::Label>("lblEarly");
    ASSERT_TRUE(label.Move(150, 150, 1500, 300));
    ui::SetBackend(previous);
  }
  EXPECT_EQ(backend().WidgetOf(*form->Find("lblEarly")), nullptr);
  ASSERT_TRUE(form->Show());
  Settle();
  QWidget* label = backend().WidgetOf(*form->Find("lblEarly"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->geometry(), QRect(10, 10, 100, 20));
}

TEST_F(RendererTest, AnEmbeddedFormLivesInsideItsParentAndFollowsItsSize) {
  QWidget host;
  host.resize(500, 400);
  auto form = MakeForm();
  QWidget* surface = backend().EmbedForm(*form, &host);
  ASSERT_NE(surface, nullptr);
  EXPECT_FALSE(surface->isWindow());
  EXPECT_EQ(surface->parentWidget(), &host);
  auto panel = std::make_shared<PanelControl>(ui::align::kTop);
  ASSERT_TRUE(form->AddUserControl(panel, "pnl"));
  host.show();
  ASSERT_TRUE(form->Show());
  Settle();
  surface->resize(450, 300);
  Settle();
  EXPECT_EQ(form->ScaleWidth(), 450 * 15);
  EXPECT_EQ(form->ScaleHeight(), 300 * 15);
  EXPECT_EQ(backend().WidgetOf(*form->Find("pnl"))->geometry(), QRect(0, 0, 450, 40));
  ASSERT_TRUE(form->Unload());
  EXPECT_FALSE(surface->isVisible());
}

}  // namespace
}  // namespace feriant::ui_qt

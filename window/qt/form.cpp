#include "window/qt/form.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextOption>

#include "window/front_end.h"
#include "window/icon_image.h"
#include "window/qt/colour_button.h"
#include "window/qt/line_edit.h"

namespace velmora::qt {

namespace {

QFont ToQFont(const FontLook& look) {
  QFont font(FromUtf8(look.family));
  font.setStyleHint(QFont::Serif);
  font.setPointSizeF(look.points);
  font.setWeight(static_cast<QFont::Weight>(look.weight));
  font.setItalic(look.italic);
  font.setUnderline(look.underline);
  font.setStrikeOut(look.strike_out);
  return font;
}

// The icon from the record's own pixels: no image plugin is involved.
QIcon ToQIcon(const std::vector<std::uint8_t>& icon_file) {
  const std::optional<IconPixels> pixels = DecodeIcon(icon_file);
  if (!pixels) return {};
  QImage image(pixels->width, pixels->height, QImage::Format_ARGB32);
  for (int y = 0; y < pixels->height; ++y)
    for (int x = 0; x < pixels->width; ++x)
      image.setPixel(x, y, pixels->argb[static_cast<std::size_t>(y * pixels->width + x)]);
  return QIcon(QPixmap::fromImage(image));
}

void FillBackground(QWidget& widget, QPalette::ColorRole role, Colour colour) {
  QPalette palette = widget.palette();
  palette.setColor(role, ToQColor(colour));
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

QWidget* CreateLabel(const velmora::Control& control, const ControlLook& look, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(FromUtf8(control.text));
  label->setWordWrap(true);
  label->setAlignment(HorizontalAlignment(look.alignment) | Qt::AlignTop);
  if (look.back_colour) FillBackground(*label, QPalette::Window, *look.back_colour);
  return label;
}

QWidget* CreateOneLineBox(const velmora::Control& control, const ControlLook& look,
                          QWidget* parent) {
  auto* box = new LineEdit(parent);
  box->setText(FromUtf8(control.text));
  box->setCursorPosition(0);
  box->setAlignment(HorizontalAlignment(look.alignment) | Qt::AlignVCenter);
  box->setReadOnly(look.read_only);
  if (look.back_colour) FillBackground(*box, QPalette::Base, *look.back_colour);
  return box;
}

QWidget* CreateMultiLineBox(const velmora::Control& control, const ControlLook& look,
                            QWidget* parent) {
  auto* box = new QPlainTextEdit(parent);
  QString text = FromUtf8(control.text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
  box->setPlainText(text);

  QTextOption option = box->document()->defaultTextOption();
  option.setAlignment(HorizontalAlignment(look.alignment));
  box->document()->setDefaultTextOption(option);

  box->setVerticalScrollBarPolicy(look.vertical_scroll_bar ? Qt::ScrollBarAlwaysOn
                                                           : Qt::ScrollBarAlwaysOff);
  box->setHorizontalScrollBarPolicy(look.horizontal_scroll_bar ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAlwaysOff);
  box->setLineWrapMode(look.wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  box->setTabChangesFocus(true);  // Tab moves on, as from any other control

  if (look.read_only) {
    box->setReadOnly(true);
    // Still readable from the keyboard: the caret moves and selects.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  if (look.back_colour) FillBackground(*box, QPalette::Base, *look.back_colour);
  return box;
}

QWidget* CreateButton(const velmora::Control& control, const ControlLook& look, QWidget* parent) {
  if (look.own_colour_button)
    return new ColourButton(FromUtf8(control.text), ToQColor(*look.back_colour), parent);
  auto* button = new QPushButton(FromUtf8(control.text), parent);
  button->setAutoDefault(true);  // Enter presses the focused button
  return button;
}

// Assistive technology sees the form as a window (a plain QWidget would be
// an unnamed client area).
QAccessibleInterface* AccessibleForm(const QString&, QObject* object) {
  if (auto* form = dynamic_cast<Form*>(object)) return new QAccessibleWidget(form, QAccessible::Window);
  return nullptr;
}

}  // namespace

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::Alignment HorizontalAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Centre: return Qt::AlignHCenter;
    case Alignment::Left: break;
  }
  return Qt::AlignLeft;
}

QColor ToQColor(Colour colour) {
  return QColor(ColourRed(colour), ColourGreen(colour), ColourBlue(colour));
}

Form::Form(const Layout& layout, double dpi) {
  static const bool factory_installed = (QAccessible::installFactory(AccessibleForm), true);
  (void)factory_installed;
  setObjectName(FromUtf8(layout.name));
  setWindowTitle(FromUtf8(layout.caption));
  setFixedSize(TwipsToPixels(layout.client.width, dpi), TwipsToPixels(layout.client.height, dpi));
  setFont(ToQFont(FontLookOf(layout.font)));  // every control shows its text in it
  FillBackground(*this, QPalette::Window, layout.back_colour);
  setWindowIcon(ToQIcon(layout.icon));

  // Later siblings are drawn over earlier ones: create from the bottom up.
  for (const velmora::Control* control : StackingOrder(layout)) {
    const QString name = FromUtf8(ControlId(control->name, control->index));
    QWidget* widget = CreateControl(*control);
    widget->setObjectName(name);
    const PixelRect r = ToPixels(control->bounds, dpi);
    widget->setGeometry(r.left, r.top, r.width, r.height);
    if (!control->IsVisible()) widget->setHidden(true);
    widget->setFocusPolicy(LookOf(*control).takes_focus ? Qt::StrongFocus : Qt::NoFocus);
  }

  // A label that captions a text box names it for assistive technology.
  for (const velmora::Control& box : layout.controls)
    if (box.kind == ControlKind::TextBox)
      if (const velmora::Control* caption = CaptionOf(layout, box))
        Control<QLabel>(caption->name, caption->index).setBuddy(&Widget(box));

  for (const velmora::Control* control : velmora::TabOrder(layout)) {
    QWidget* widget = &Widget(*control);
    if (!tab_order_.empty()) QWidget::setTabOrder(tab_order_.back(), widget);
    tab_order_.push_back(widget);
  }
}

QWidget* Form::CreateControl(const velmora::Control& control) {
  const ControlLook look = LookOf(control);
  switch (control.kind) {
    case ControlKind::Label:
      return CreateLabel(control, look, this);
    case ControlKind::TextBox:
      return look.multi_line ? CreateMultiLineBox(control, look, this)
                             : CreateOneLineBox(control, look, this);
    case ControlKind::CommandButton:
      return CreateButton(control, look, this);
  }
  throw RuntimeError(kErrorBadLayout,
                     "The control " + ControlId(control.name, control.index) + " is of an unknown kind");
}

void Form::FocusFirst() {
  if (!tab_order_.empty()) tab_order_.front()->setFocus(Qt::OtherFocusReason);
}

QWidget& Form::Widget(const velmora::Control& control) const {
  return *Find(control.name, control.index);
}

QWidget* Form::Find(std::string_view name, std::int16_t index) const {
  if (auto* widget = findChild<QWidget*>(FromUtf8(ControlId(name, index)), Qt::FindDirectChildrenOnly))
    return widget;
  throw RuntimeError(kErrorBadLayout, "The window has no control " + ControlId(name, index));
}

RuntimeError Form::WrongKind(std::string_view name, std::int16_t index) {
  return RuntimeError(kErrorBadLayout,
                      "The control " + ControlId(name, index) + " is not of the kind the window needs");
}

}  // namespace velmora::qt

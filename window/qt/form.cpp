#include "window/qt/form.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextOption>

namespace velmora::qt {

namespace {

QFont ToQFont(const Font& font) {
  QFont result(FromUtf8(font.name));
  result.setStyleHint(QFont::Serif);
  result.setPointSizeF(font.size / 10000.0);
  result.setWeight(static_cast<QFont::Weight>(std::clamp<int>(font.weight, 1, 1000)));
  result.setItalic((font.attributes & 1) != 0);
  result.setUnderline((font.attributes & 2) != 0);
  result.setStrikeOut((font.attributes & 4) != 0);
  return result;
}

void FillBackground(QWidget& widget, QPalette::ColorRole role, Colour colour) {
  QPalette palette = widget.palette();
  palette.setColor(role, ToQColor(colour));
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

// A button drawn in its own colour is a flat fill of that colour with a
// raised edge (sunken while pressed). A palette alone would leave the
// style's own gradient, so the button gets a style sheet.
void FillButton(QPushButton& button, Colour colour) {
  const QString rgb = ToQColor(colour).name(QColor::HexRgb);
  button.setStyleSheet(QStringLiteral("QPushButton { background-color: %1;"
                                      " border: 2px outset %1; }"
                                      "QPushButton:pressed { border-style: inset; }"
                                      "QPushButton:focus { border-color: %1 black black %1; }")
                           .arg(rgb));
}

QWidget* CreateLabel(const velmora::Control& control, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(FromUtf8(control.text));
  label->setWordWrap(true);
  label->setAlignment(HorizontalAlignment(control.alignment) | Qt::AlignTop);
  if (control.back_colour) FillBackground(*label, QPalette::Window, *control.back_colour);
  return label;
}

QWidget* CreateOneLineBox(const velmora::Control& control, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setText(FromUtf8(control.text));
  box->setCursorPosition(0);
  box->setAlignment(HorizontalAlignment(control.alignment) | Qt::AlignVCenter);
  box->setReadOnly(control.read_only.value_or(false));
  if (control.back_colour) FillBackground(*box, QPalette::Base, *control.back_colour);
  return box;
}

QWidget* CreateMultiLineBox(const velmora::Control& control, QWidget* parent) {
  auto* box = new QPlainTextEdit(parent);
  QString text = FromUtf8(control.text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
  box->setPlainText(text);

  QTextOption option = box->document()->defaultTextOption();
  option.setAlignment(HorizontalAlignment(control.alignment));
  box->document()->setDefaultTextOption(option);

  const ScrollBars bars = control.scroll_bars.value_or(ScrollBars::None);
  const bool vertical = bars == ScrollBars::Vertical || bars == ScrollBars::Both;
  const bool horizontal = bars == ScrollBars::Horizontal || bars == ScrollBars::Both;
  box->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  box->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // Without a horizontal scroll bar, long lines wrap at the box's width.
  box->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  box->setTabChangesFocus(true);  // Tab moves on, as from any other control

  if (control.read_only.value_or(false)) {
    box->setReadOnly(true);
    // Still readable from the keyboard: the caret moves and selects.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  if (control.back_colour) FillBackground(*box, QPalette::Base, *control.back_colour);
  return box;
}

QWidget* CreateButton(const velmora::Control& control, QWidget* parent) {
  auto* button = new QPushButton(FromUtf8(control.text), parent);
  if (control.own_colour.value_or(false) && control.back_colour)
    FillButton(*button, *control.back_colour);
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

Qt::Alignment HorizontalAlignment(std::optional<Alignment> alignment) {
  switch (alignment.value_or(Alignment::Left)) {
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Centre: return Qt::AlignHCenter;
    case Alignment::Left: break;
  }
  return Qt::AlignLeft;
}

int TwipsToPixels(std::int32_t twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

QString ControlName(std::string_view name, std::int16_t index) {
  return FromUtf8(ControlId(name, index));
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
  setFont(ToQFont(layout.font));  // every control shows its text in it
  FillBackground(*this, QPalette::Window, layout.back_colour);

  QPixmap icon;
  if (!layout.icon.empty() &&
      icon.loadFromData(layout.icon.data(), static_cast<uint>(layout.icon.size()), "ICO"))
    setWindowIcon(QIcon(icon));

  for (const velmora::Control& control : layout.controls) {
    if (findChild<QWidget*>(ControlName(control.name, control.index),
                            Qt::FindDirectChildrenOnly))
      throw RuntimeError(kErrorBadLayout, "The window's layout has the control " +
                                              ControlId(control.name, control.index) + " twice");
    QWidget* widget = CreateControl(control);
    widget->setObjectName(ControlName(control.name, control.index));
    const TwipsRect& b = control.bounds;
    widget->setGeometry(TwipsToPixels(b.left, dpi), TwipsToPixels(b.top, dpi),
                        TwipsToPixels(b.width, dpi), TwipsToPixels(b.height, dpi));
    if (!control.IsVisible()) widget->setHidden(true);
  }
  NameTextBoxesByLabels(layout);
  OrderTabs(layout);
}

QWidget* Form::CreateControl(const velmora::Control& control) {
  switch (control.kind) {
    case ControlKind::Label:
      return CreateLabel(control, this);
    case ControlKind::TextBox:
      return control.multi_line.value_or(false) ? CreateMultiLineBox(control, this)
                                                : CreateOneLineBox(control, this);
    case ControlKind::CommandButton:
      return CreateButton(control, this);
  }
  throw RuntimeError(kErrorBadLayout,
                     "The control " + ControlId(control.name, control.index) + " is of an unknown kind");
}

// A label that starts at a text box's left edge and ends where the box
// begins (within half the label's height) is that box's caption: it names
// the box for assistive technology.
void Form::NameTextBoxesByLabels(const Layout& layout) {
  for (const velmora::Control& label : layout.controls) {
    if (label.kind != ControlKind::Label) continue;
    const std::int32_t label_bottom = label.bounds.top + label.bounds.height;
    for (const velmora::Control& box : layout.controls) {
      if (box.kind != ControlKind::TextBox || box.bounds.left != label.bounds.left ||
          std::abs(box.bounds.top - label_bottom) > label.bounds.height / 2)
        continue;
      Control<QLabel>(label.name, label.index).setBuddy(Find(box.name, box.index));
    }
  }
}

// Tab order follows the tab index; labels never take the focus.
void Form::OrderTabs(const Layout& layout) {
  std::vector<const velmora::Control*> order;
  for (const velmora::Control& control : layout.controls)
    if (control.kind != ControlKind::Label) order.push_back(&control);
  std::stable_sort(order.begin(), order.end(), [](const auto* a, const auto* b) {
    return a->tab_index < b->tab_index;
  });
  tab_order_.clear();
  for (const velmora::Control* control : order) {
    QWidget* widget = Find(control->name, control->index);
    widget->setFocusPolicy(Qt::StrongFocus);
    if (!tab_order_.empty()) QWidget::setTabOrder(tab_order_.back(), widget);
    tab_order_.push_back(widget);
  }
}

void Form::FocusFirst() {
  for (QWidget* widget : tab_order_) {
    if (widget->isVisibleTo(this) && widget->isEnabled()) {
      widget->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

QWidget* Form::Find(std::string_view name, std::int16_t index) const {
  if (auto* widget = findChild<QWidget*>(ControlName(name, index), Qt::FindDirectChildrenOnly))
    return widget;
  throw RuntimeError(kErrorBadLayout, "The window has no control " + ControlId(name, index));
}

RuntimeError Form::WrongKind(std::string_view name, std::int16_t index) {
  return RuntimeError(kErrorBadLayout,
                      "The control " + ControlId(name, index) + " is not of the kind the window needs");
}

}  // namespace velmora::qt

#include "window/qt/form.h"

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
#include "window/qt/accessibility.h"
#include "window/qt/colour_button.h"
#include "window/qt/dialog_keys.h"
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

QWidget* CreateLabel(const Control& control, const ControlLook& look, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(FromUtf8(control.text));
  label->setWordWrap(true);
  label->setAlignment(HorizontalAlignment(look.alignment) | Qt::AlignTop);
  return label;
}

QWidget* CreateOneLineBox(const Control& control, const ControlLook& look,
                          QWidget* parent) {
  auto* box = new LineEdit(parent);
  box->setText(FromUtf8(control.text));
  box->setCursorPosition(0);
  box->setAlignment(HorizontalAlignment(look.alignment) | Qt::AlignVCenter);
  box->setReadOnly(look.read_only);
  return box;
}

QWidget* CreateMultiLineBox(const Control& control, const ControlLook& look,
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
  return box;
}

QWidget* CreateButton(const Control& control, const ControlLook& look, QWidget* parent) {
  QPushButton* button = look.own_colour_button
                            ? new ColourButton(FromUtf8(control.text), *look.back_colour, parent)
                            : new QPushButton(FromUtf8(control.text), parent);
  SetEnterPresses(*button, look);
  return button;
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
  InstallAccessibleInterfaces();
  setObjectName(FromUtf8(layout.name));
  setWindowTitle(FromUtf8(layout.caption));
  setFixedSize(TwipsToPixels(layout.client.width, dpi), TwipsToPixels(layout.client.height, dpi));
  setFont(ToQFont(FontLookOf(layout.font)));  // every control shows its text in it
  setWindowIcon(ToQIcon(layout.icon));

  // Later siblings are drawn over earlier ones: create from the bottom up.
  for (const Control* control : StackingOrder(layout)) {
    const QString name = FromUtf8(ControlId(control->name, control->index));
    QWidget* widget = CreateControl(*control);
    widgets_[{control->name, control->index}] = widget;
    widget->setObjectName(name);
    const PixelRect r = ToPixels(control->bounds, dpi);
    widget->setGeometry(r.left, r.top, r.width, r.height);
    if (!control->IsVisible()) widget->setHidden(true);
    widget->setFocusPolicy(LookOf(*control).takes_focus ? Qt::StrongFocus : Qt::NoFocus);
  }

  // Text boxes get their names for assistive technology (labels and
  // buttons are named by their captions, as Qt does itself); a label that
  // captions a box is also its buddy, which screen readers read as the
  // box's label.
  for (const Control& box : layout.controls) {
    if (box.kind != ControlKind::TextBox) continue;
    Widget(box).setAccessibleName(FromUtf8(AccessibleNameOf(layout, box)));
    if (const Control* caption = CaptionOf(layout, box))
      WidgetAs<QLabel>(*caption).setBuddy(&Widget(box));
  }

  for (const Control* control : velmora::TabOrder(layout))
    tab_order_.push_back(&Widget(*control));
  ChainTabOrder(tab_order_);

  // The window's and each control's colours, with a high-contrast desktop
  // and without, by the rule every front end follows.
  const auto both = [](auto colours_of) { return std::array{colours_of(false), colours_of(true)}; };
  coloured_.push_back({this, QPalette::Window, both([&](bool high) {
                         return ControlColours{WindowBackOf(layout, high), SystemColour::FaceText};
                       })});
  for (const Control& control : layout.controls) {
    const QPalette::ColorRole role =
        control.kind == ControlKind::TextBox ? QPalette::Base : QPalette::Window;
    coloured_.push_back({&Widget(control), role,
                         both([&](bool high) { return ColoursOf(control, high); })});
  }
  UseLayoutColours(true);
}

QWidget* Form::CreateControl(const Control& control) {
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

// A stored colour fills the widget's background; a system colour is the
// palette's own, and a palette that sets nothing gives the widget its
// parent's, the window the application's. A button's colour shows only
// where it is drawn in its own colour.
void Form::UseLayoutColours(bool use) {
  for (const Coloured& c : coloured_) {
    const ControlColours& colours = c.colours[use ? 0 : 1];
    if (auto* button = dynamic_cast<ColourButton*>(c.widget))
      button->DrawOwnColour(colours.own_colour_button);
    else if (dynamic_cast<QPushButton*>(c.widget))
      continue;  // drawn by the style, in the palette's colours
    else if (const auto* colour = std::get_if<Colour>(&colours.back))
      FillBackground(*c.widget, c.role, *colour);
    else
      c.widget->setPalette(QPalette());
  }
}

QWidget& Form::Widget(const Control& control) const {
  const auto found = widgets_.find({control.name, control.index});
  if (found == widgets_.end())
    throw RuntimeError(kErrorBadLayout,
                       "The window has no control " + ControlId(control.name, control.index));
  return *found->second;
}

RuntimeError Form::WrongKind(const Control& control) {
  return RuntimeError(kErrorBadLayout, "The control " + ControlId(control.name, control.index) +
                                           " is not of the kind the window needs");
}

}  // namespace velmora::qt

#pragma once
// The window built from a layout with Qt Widgets. Each control becomes the
// widget for its kind (label: QLabel; one-line text box: LineEdit;
// multi-line text box: QPlainTextEdit; command button: QPushButton, or a
// ColourButton when drawn in its own colour) with every stored setting as
// window/front_end.h decodes it, and carries the object name "Name(Index)".
// The form knows no particular control: it creates what the layout
// describes, and finds each control's widget by the control's name and
// Index.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QPalette>
#include <QString>
#include <QWidget>

#include "numbers/runtime_error.h"
#include "window/front_end.h"
#include "window/layout.h"

class QColor;

namespace velmora::qt {

QString FromUtf8(std::string_view text);

// Qt's horizontal alignment for a stored one.
Qt::Alignment HorizontalAlignment(Alignment alignment);

QColor ToQColor(Colour colour);

class Form : public QWidget {
 public:
  // Builds the window and its controls; `dpi` is the screen's logical dpi
  // that twips are converted at.
  Form(const Layout& layout, double dpi);

  // The widget of a control of the layout, found by its name and Index; as
  // a T in WidgetAs. Raise RuntimeError when the window has no such
  // control, or it is of another kind.
  QWidget& Widget(const Control& control) const;
  template <class T>
  T& WidgetAs(const Control& control) const {
    if (auto* typed = dynamic_cast<T*>(&Widget(control))) return *typed;
    throw WrongKind(control);
  }

  // The controls that take the focus, in tab order.
  const std::vector<QWidget*>& TabOrder() const noexcept { return tab_order_; }

  // Puts the focus on the first control in tab order.
  void FocusFirst();

  // Draws the window in the layout's colours (as it starts) or, where the
  // desktop asks for high contrast, in the desktop's palette as Qt knows
  // it: no stored colour is left, and the coloured buttons are plain
  // buttons, their edges and focus drawn by the style.
  void UseLayoutColours(bool use);

 private:
  static RuntimeError WrongKind(const Control& control);

  QWidget* CreateControl(const Control& control);

  // Each control's widget by the control's name and Index.
  std::map<std::pair<std::string, std::int16_t>, QWidget*> widgets_;
  std::vector<QWidget*> tab_order_;
  // The window and each control, with its colours as the layout gives
  // them and as a high-contrast desktop does.
  struct Coloured {
    QWidget* widget;
    QPalette::ColorRole role;  // the background's
    std::array<ControlColours, 2> colours;
  };
  std::vector<Coloured> coloured_;
};

}  // namespace velmora::qt

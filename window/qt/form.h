#pragma once
// The window built from a layout with Qt Widgets. Each control becomes the
// widget for its kind (label: QLabel; one-line text box: LineEdit;
// multi-line text box: QPlainTextEdit; command button: QPushButton, or a
// ColourButton when drawn in its own colour) with every stored setting as
// window/front_end.h decodes it, and carries the object name "Name(Index)",
// so that controls are found by name and Index. The form knows no
// particular control: it creates what the layout describes.

#include <cstdint>
#include <string_view>
#include <vector>

#include <QString>
#include <QWidget>

#include "numbers/runtime_error.h"
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

  // The widget of control `control` (of the layout the form was built from).
  QWidget& Widget(const velmora::Control& control) const;

  // The widget of control `name`(`index`) as a T. Raises RuntimeError when
  // the window has no such control or it is of another kind.
  template <class T>
  T& Control(std::string_view name, std::int16_t index) const {
    QWidget* widget = Find(name, index);
    if (auto* typed = dynamic_cast<T*>(widget)) return *typed;
    throw WrongKind(name, index);
  }

  // The controls that take the focus, in tab order.
  const std::vector<QWidget*>& TabOrder() const noexcept { return tab_order_; }

  // Puts the focus on the first control in tab order.
  void FocusFirst();

 private:
  QWidget* Find(std::string_view name, std::int16_t index) const;
  static RuntimeError WrongKind(std::string_view name, std::int16_t index);

  QWidget* CreateControl(const velmora::Control& control);

  std::vector<QWidget*> tab_order_;
};

}  // namespace velmora::qt

#pragma once
// The window built from a layout with Qt Widgets. Each control becomes the
// widget for its kind (label: QLabel; one-line text box: QLineEdit;
// multi-line text box: QPlainTextEdit; command button: QPushButton) with
// every stored setting, and carries the object name "Name(Index)", so that
// controls are found by name and Index. The form knows no particular
// control: it creates what the layout describes.

#include <cstdint>
#include <string_view>
#include <vector>

#include <QString>
#include <QWidget>

#include "numbers/runtime_error.h"
#include "window/layout.h"

class QColor;

namespace velmora::qt {

// Pixels for a length in twips at `dpi` dots per inch: 1440 twips are one
// inch, so at 96 dpi 15 twips make one pixel. Rounded to the nearest pixel.
int TwipsToPixels(std::int32_t twips, double dpi);

QString FromUtf8(std::string_view text);

// Qt's horizontal alignment for a stored one (left where none is stored).
Qt::Alignment HorizontalAlignment(std::optional<Alignment> alignment);

// The object name of a control's widget: "Text2(0)".
QString ControlName(std::string_view name, std::int16_t index);

QColor ToQColor(Colour colour);

class Form : public QWidget {
 public:
  // Builds the window and its controls; `dpi` is the screen's logical dpi
  // that twips are converted at.
  Form(const Layout& layout, double dpi);

  // The widget of control `name`(`index`) as a T. Raises RuntimeError when
  // the window has no such control or it is of another kind.
  template <class T>
  T& Control(std::string_view name, std::int16_t index) const {
    QWidget* widget = Find(name, index);
    if (auto* typed = qobject_cast<T*>(widget)) return *typed;
    throw WrongKind(name, index);
  }

  // The controls that take the focus, in tab order.
  const std::vector<QWidget*>& TabOrder() const noexcept { return tab_order_; }

  // Puts the focus on the first control in tab order that can take it.
  void FocusFirst();

 private:
  QWidget* Find(std::string_view name, std::int16_t index) const;
  static RuntimeError WrongKind(std::string_view name, std::int16_t index);

  QWidget* CreateControl(const velmora::Control& control);
  void NameTextBoxesByLabels(const Layout& layout);
  void OrderTabs(const Layout& layout);

  std::vector<QWidget*> tab_order_;
};

}  // namespace velmora::qt

#pragma once
// The program's window: the form built from the layout, with its events
// bound to a NumberPanel. This is the one place that names controls: the
// number field Text2(0) and the top line Label1(0) show the panel's state,
// and a Click of any Command1(i) in the layout is OnCommand(i). Every
// handler changes the panel, then ShowPanel() shows its state.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "numbers/runtime_error.h"
#include "panel/number_panel.h"
#include "window/layout.h"
#include "window/qt/form.h"

class QLabel;
class QLineEdit;

namespace velmora::qt {

class NumberWindow {
 public:
  // Called with an error that a handler raised; the window stays usable.
  using ErrorHandler = std::function<void(const RuntimeError&)>;

  // Builds the window from the layout and handles its Load. Raises
  // RuntimeError when the layout lacks a control that the binding needs.
  NumberWindow(const Layout& layout, char decimal_separator, double dpi, ErrorHandler on_error);

  Form& form() const noexcept { return *form_; }
  const NumberPanel& panel() const noexcept { return panel_; }

  // Centres the window on its screen and shows it with the focus on the
  // first control in tab order.
  void Open();

 private:
  void OnFieldEdited(const QString& text);
  void OnClick(std::int16_t index);
  void ShowPanel();
  void Handle(const std::function<void()>& handler);

  std::unique_ptr<Form> form_;
  NumberPanel panel_;
  ErrorHandler on_error_;
  QLineEdit* field_ = nullptr;
  QLabel* top_line_ = nullptr;
};

// The window from a stored layout record: raises the reader's RecordError
// when the record cannot be read.
std::unique_ptr<NumberWindow> LoadWindow(std::span<const std::uint8_t> record,
                                         char decimal_separator, double dpi,
                                         NumberWindow::ErrorHandler on_error);

}  // namespace velmora::qt

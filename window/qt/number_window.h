#pragma once
// The program's window: the form built from the layout, with its events
// bound to a NumberPanel as window/front_end.h binds them: the number
// field shows the panel's field text, limit and alignment, the top line its
// top line, and a Click of any button of the array is OnCommand(Index),
// which a notification also speaks to screen readers.
// The panel owns the field's text: the field hands it every insertion and
// every change it made by itself. Every handler changes the panel, then
// ShowPanel() shows its state.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "numbers/runtime_error.h"
#include "panel/number_panel.h"
#include "window/layout.h"
#include "window/qt/form.h"

class QLabel;

namespace velmora::qt {

class LineEdit;
class Notification;

class NumberWindow {
 public:
  // Called with an error that a handler raised; the window stays usable.
  using ErrorHandler = std::function<void(const RuntimeError&)>;

  // Builds the window from the layout and handles its Load. Raises
  // RuntimeError when the layout lacks a control that the binding needs.
  // `regional_separator` is the user's decimal separator, as their settings
  // give it (NumberPanel decides what a press writes for it).
  NumberWindow(const Layout& layout, char32_t regional_separator, double dpi,
               ErrorHandler on_error);

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
  LineEdit* field_ = nullptr;
  QLabel* top_line_ = nullptr;
  Notification* notification_ = nullptr;
};

// The window from a stored layout record: raises the reader's RecordError
// when the record cannot be read.
std::unique_ptr<NumberWindow> LoadWindow(std::span<const std::uint8_t> record,
                                         char32_t regional_separator, double dpi,
                                         NumberWindow::ErrorHandler on_error);

}  // namespace velmora::qt

#pragma once
// What screen readers read of the window, where Qt's own interfaces do not
// serve: the form is a window whose children are the controls it shows; a
// one-line text box reads its text whole and answers every question about
// its text (no offset hangs it); and a notification speaks each press's
// answer wherever the focus is.

#include <QString>
#include <QWidget>

namespace velmora::qt {

// Hands the form's and the field's own accessible interfaces (defined in
// accessibility.cpp) to Qt's accessibility, once per program; they serve
// the widgets created after it.
void InstallAccessibleInterfaces();

// An object with the notification role that nothing shows: no size, no
// focus, no mouse. Screen readers speak a notification when it appears,
// wherever the focus is; Announce shows it again with a new text, so every
// call is heard, the same text twice as well.
class Notification : public QWidget {
 public:
  explicit Notification(QWidget* parent);
  void Announce(const QString& text);
};

}  // namespace velmora::qt

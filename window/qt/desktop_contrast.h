#pragma once
// Whether the desktop asks for high contrast. Qt 6.4 does not tell (its
// style hints know no contrast, and its GTK theme passes on no palette);
// the desktop portal's settings do, on the session bus: the portal's own
// org.freedesktop.appearance "contrast" (1: higher) where the portal has
// it, and GNOME's org.gnome.desktop.a11y.interface "high-contrast", which
// the GNOME and GTK portals of Debian 12 give.

#include <functional>
#include <optional>

#include <QObject>
#include <QString>
#include <QVariant>

#include <QDBusVariant>

namespace velmora::qt {

// What one portal setting says: whether it asks for high contrast, or
// nullopt when it is not one of the two.
//   ("org.freedesktop.appearance", "contrast", 1u)                   -> true
//   ("org.freedesktop.appearance", "contrast", 0u)                   -> false
//   ("org.gnome.desktop.a11y.interface", "high-contrast", true)      -> true
//   ("org.freedesktop.appearance", "color-scheme", 1u)               -> nullopt
std::optional<bool> HighContrastSetting(const QString& name_space, const QString& key,
                                        const QVariant& value);

class DesktopContrast : public QObject {
  Q_OBJECT

 public:
  // Asks the portal without waiting for it, then calls `changed` with
  // whether the desktop asks for high contrast, each time that differs
  // from what it last said (at first: that it does not). Without a session
  // bus or a portal, never.
  DesktopContrast(std::function<void(bool high)> changed, QObject* parent);

 private slots:
  void OnSettingChanged(const QString& name_space, const QString& key, const QDBusVariant& value);

 private:
  void Take(const QString& name_space, const QString& key, const QVariant& value);

  std::function<void(bool)> changed_;
  bool portal_asks_ = false;  // org.freedesktop.appearance contrast
  bool gnome_asks_ = false;   // org.gnome.desktop.a11y.interface high-contrast
  bool told_ = false;         // what `changed_` last heard
};

}  // namespace velmora::qt

#include "window/qt/desktop_contrast.h"

#include <utility>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace velmora::qt {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kGnomeA11y = QStringLiteral("org.gnome.desktop.a11y.interface");

// The portal's Read gives the value inside one variant more.
QVariant Unwrapped(QVariant value) {
  while (value.userType() == qMetaTypeId<QDBusVariant>())
    value = value.value<QDBusVariant>().variant();
  return value;
}

}  // namespace

std::optional<bool> HighContrastSetting(const QString& name_space, const QString& key,
                                        const QVariant& value) {
  if (name_space == kAppearance && key == QLatin1String("contrast"))
    return Unwrapped(value).toUInt() == 1;
  if (name_space == kGnomeA11y && key == QLatin1String("high-contrast"))
    return Unwrapped(value).toBool();
  return std::nullopt;
}

DesktopContrast::DesktopContrast(std::function<void(bool high)> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed)) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  // The slot's arguments are found by their type names, which Qt 6.4 does
  // not register for QDBusVariant by itself.
  qRegisterMetaType<QDBusVariant>();
  bus.connect(kService, kPath, kSettings, QStringLiteral("SettingChanged"), this,
              SLOT(OnSettingChanged(QString,QString,QDBusVariant)));
  const std::pair<QString, QString> settings[] = {{kAppearance, QStringLiteral("contrast")},
                                                  {kGnomeA11y, QStringLiteral("high-contrast")}};
  for (const auto& [name_space, key] : settings) {
    QDBusMessage read =
        QDBusMessage::createMethodCall(kService, kPath, kSettings, QStringLiteral("Read"));
    read << name_space << key;
    auto* answer = new QDBusPendingCallWatcher(bus.asyncCall(read), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this, name_space, key](QDBusPendingCallWatcher* call) {
              const QDBusPendingReply<QDBusVariant> reply = *call;
              if (!reply.isError()) Take(name_space, key, reply.value().variant());
              call->deleteLater();
            });
  }
}

void DesktopContrast::OnSettingChanged(const QString& name_space, const QString& key,
                                       const QDBusVariant& value) {
  Take(name_space, key, value.variant());
}

void DesktopContrast::Take(const QString& name_space, const QString& key, const QVariant& value) {
  const std::optional<bool> asks = HighContrastSetting(name_space, key, value);
  if (!asks) return;
  (name_space == kAppearance ? portal_asks_ : gnome_asks_) = *asks;
  if (told_ == (portal_asks_ || gnome_asks_)) return;
  told_ = !told_;
  changed_(told_);
}

}  // namespace velmora::qt

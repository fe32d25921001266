#include "window/qt/start.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <utility>

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QList>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTranslator>

#include "window/front_end.h"
#include "window/qt/desktop_contrast.h"
#include "window/qt/number_window.h"

namespace velmora::qt {

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Qt's messages while the guard stands: held back, so that a display that
// cannot be opened gives one line, and passed on when the guard ends.
struct HeldMessage {
  QtMsgType type;
  QString message;
};
QtMessageHandler previous_handler = nullptr;
QList<HeldMessage> held_messages;

void EndOnFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtFatalMsg) {
    held_messages.append({type, message});
    return;
  }
  // Qt says first why it gives up.
  const QString reason = held_messages.isEmpty() ? message : held_messages.first().message;
  std::fprintf(stderr, "velmora: cannot open the window: %s\n",
               reason.section(QChar('\n'), 0, 0).toLocal8Bit().constData());
  std::fflush(stderr);
  std::_Exit(1);
}

double ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
  return dpi > 0 ? dpi : 96.0;
}

}  // namespace

bool HasDisplay() {
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

char32_t RegionalDecimalSeparator() {
  const std::lconv* conventions = std::localeconv();
  if (!conventions || !conventions->decimal_point) return U'.';
  return static_cast<unsigned char>(conventions->decimal_point[0]);
}

DisplayGuard::DisplayGuard() { previous_handler = qInstallMessageHandler(EndOnFatal); }

DisplayGuard::~DisplayGuard() {
  qInstallMessageHandler(previous_handler);
  previous_handler = nullptr;
  const QMessageLogContext context;
  for (const HeldMessage& held : std::exchange(held_messages, {}))
    qt_message_output(held.type, context, held.message);
}

bool LoadQtTranslations() {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator))
    return true;
  delete translator;
  return false;
}

void ShowErrorBox(QWidget* parent, const RuntimeError& error) {
  QMessageBox::critical(parent, QGuiApplication::applicationDisplayName(),
                        QString::fromStdString(ErrorText(error)));
}

int RunProgram(std::span<const std::uint8_t> record, char32_t regional_separator) {
  std::unique_ptr<NumberWindow> window;
  try {
    window = LoadWindow(record, regional_separator, ScreenDpi(), [&window](const RuntimeError& e) {
      ShowErrorBox(&window->form(), e);
      QCoreApplication::exit(1);
    });
  } catch (...) {
    ShowErrorBox(nullptr, AsRuntimeError(std::current_exception()));
    return 1;
  }
  // Where the desktop asks for high contrast, the window leaves the
  // layout's colours for the desktop's palette, and back when it stops.
  DesktopContrast contrast([&window](bool high) { window->form().UseLayoutColours(!high); },
                           nullptr);
  window->Open();
  return QApplication::exec();
}

}  // namespace velmora::qt

// The Linux program: the window from the embedded layout record, on Qt.
#include <clocale>
#include <cstdio>
#include <memory>

#include <QApplication>
#include <QString>

#include "version.h"
#include "window/embedded_record.h"
#include "window/qt/start.h"

int main(int argc, char** argv) {
  if (!velmora::qt::HasDisplay()) {
    std::fputs("velmora: no display to open the window on (neither DISPLAY nor "
               "WAYLAND_DISPLAY is set)\n",
               stderr);
    return 1;
  }
  std::setlocale(LC_ALL, "");
  const char32_t regional_separator = velmora::qt::RegionalDecimalSeparator();

  // The product name names the error box. It is set as the application
  // name, not the display name, which X11 would append to the caption.
  QApplication::setApplicationName(QStringLiteral(VELMORA_PRODUCT_NAME));
  QApplication::setApplicationVersion(QStringLiteral(VELMORA_PRODUCT_VERSION));
  QApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
  std::unique_ptr<QApplication> application;
  {
    velmora::qt::DisplayGuard guard;
    application = std::make_unique<QApplication>(argc, argv);
  }
  velmora::qt::LoadQtTranslations();
  return velmora::qt::RunProgram(velmora::EmbeddedRecord(), regional_separator);
}

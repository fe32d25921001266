// The start-up benchmark's yardstick: the program's window with the same
// widgets, settings and texts, made directly in code (no layout record, no
// reader). Usage: velmora-bare-qt [ICON.ico]
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace {

void Fill(QWidget* widget, QPalette::ColorRole role, QColor colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QLabel* Label(QWidget* window, const char* text, QRect geometry) {
  auto* label = new QLabel(QString::fromUtf8(text), window);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setGeometry(geometry);
  Fill(label, QPalette::Window, QColor(255, 192, 128));
  return label;
}

QPushButton* Button(QWidget* window, const char* text, QRect geometry, QColor colour) {
  auto* button = new QPushButton(QString::fromUtf8(text), window);
  button->setGeometry(geometry);
  const QString rgb = colour.name(QColor::HexRgb);
  button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1;"
                                       " border: 2px outset %1; }"
                                       "QPushButton:pressed { border-style: inset; }"
                                       "QPushButton:focus { border-color: %1 black black %1; }")
                            .arg(rgb));
  return button;
}

QPlainTextEdit* Note(QWidget* window, const char* text, QRect geometry) {
  auto* box = new QPlainTextEdit(window);
  box->setPlainText(QString::fromUtf8(text));
  box->setGeometry(geometry);
  box->setReadOnly(true);
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setTabChangesFocus(true);
  return box;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QString::fromUtf8(
      "www.velmora.example Информатика - сума, разлика между цифри и число"));
  window.setFixedSize(536, 258);
  QFont font(QStringLiteral("Times New Roman"));
  font.setStyleHint(QFont::Serif);
  font.setPointSizeF(12);
  window.setFont(font);
  Fill(&window, QPalette::Window, QColor(192, 192, 255));
  if (argc > 1) {
    QFile file(QString::fromLocal8Bit(argv[1]));
    QPixmap icon;
    if (file.open(QIODevice::ReadOnly) && icon.loadFromData(file.readAll(), "ICO"))
      window.setWindowIcon(QIcon(icon));
  }

  auto* field = new QLineEdit(QStringLiteral("112"), &window);
  field->setGeometry(88, 64, 89, 27);
  field->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  auto* decrease = Button(&window, "Намалява със сбор", {288, 72, 161, 25}, QColor(128, 128, 255));
  auto* increase = Button(&window, "Увеличава със сбор", {288, 40, 161, 25}, QColor(128, 255, 255));
  auto* saying = Note(&window,
                      "Неприятното в това да си първият, направил нещо по правилния начин, е, че "
                      "никой не оценява колко трудно е било. \n",
                      {40, 152, 449, 121});
  saying->setHidden(true);
  auto* statement = Note(&window,
      "Да се реализира проект, чрез който се осъществява вътрешнопредметна връзка в Информатика.\n"
      "Тема на проекта: Информатика - естествено число, сума и разлика от цифри.\n"
      "Проектът да дава възможност въведеното цяло число:\n"
      " - да се увеличава със сбор на на цифрите си;\n"
      " - да се намалява със сбор на цифрите си.\n"
      "Въвеждането на цялото число е в текстово поле, а промяната му се осъществява чрез "
      "командни бутони.\n"
      "Проверете дали е възможно след последователно използване и на двата командни бутона "
      "числото да стане 0.\n",
      {16, 128, 497, 121});
  Label(&window, "Число", {88, 40, 89, 25})->setBuddy(field);
  auto* top_line = Label(&window, "Естествено число - сума и разлика от цифри", {88, 0, 361, 25});
  QObject::connect(increase, &QPushButton::clicked, top_line, [] {});
  QObject::connect(decrease, &QPushButton::clicked, top_line, [] {});

  QWidget::setTabOrder(statement, saying);
  QWidget::setTabOrder(saying, increase);
  QWidget::setTabOrder(increase, decrease);
  QWidget::setTabOrder(decrease, field);
  window.move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                  window.screen()->availableGeometry())
                  .topLeft());
  statement->setFocus();
  window.show();
  return QApplication::exec();
}

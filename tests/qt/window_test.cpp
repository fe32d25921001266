// The Qt window built from the embedded layout record, driven as a user
// would: its controls found by name, typed and pasted into, clicked.
#include <clocale>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDBusVariant>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QtTest>

#include "version.h"
#include "window/embedded_record.h"
#include "window/front_end.h"
#include "window/qt/desktop_contrast.h"
#include "window/qt/form.h"
#include "window/qt/line_edit.h"
#include "window/qt/number_window.h"
#include "window/qt/start.h"
#include "window/record_reader.h"

using velmora::RuntimeError;
using velmora::qt::NumberWindow;

class WindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<NumberWindow> window_;
  std::vector<RuntimeError> errors_;
  // The texts of the notifications shown while the test filters events.
  QStringList announced_;
  bool eventFilter(QObject* watched, QEvent* event) override {
    QAccessibleInterface* shown = nullptr;
    if (event->type() == QEvent::Show) shown = QAccessible::queryAccessibleInterface(watched);
    if (shown && shown->role() == QAccessible::Notification)
      announced_ << shown->text(QAccessible::Name);
    return false;
  }

  NumberWindow& Open(char32_t separator = U'.', const velmora::Layout* layout = nullptr) {
    errors_.clear();
    auto record_error = [this](const RuntimeError& e) { errors_.push_back(e); };
    window_ = layout ? std::make_unique<NumberWindow>(*layout, separator, 96.0, record_error)
                     : velmora::qt::LoadWindow(velmora::EmbeddedRecord(), separator, 96.0,
                                               record_error);
    window_->Open();
    if (!QTest::qWaitForWindowExposed(&window_->form())) qFatal("window not exposed");
    return *window_;
  }
  template <class T>
  T* Find(const char* name) {
    return window_->form().findChild<T*>(QString::fromUtf8(name));
  }
  QLineEdit* Field() { return Find<QLineEdit>("Text2(0)"); }
  QString PanelText() const { return QString::fromUtf8(window_->panel().FieldText().data()); }
  // Key presses that carry the characters of `text`, one at a time (QTest's
  // keyClicks knows only ASCII).
  static void Type(QWidget* widget, const QString& text) {
    for (char32_t c : text.toStdU32String()) {
      const QString key = QString::fromUcs4(&c, 1);
      QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, key, Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, key, Qt::NoModifier);
    }
  }
  void Retype(const QString& text) {
    Field()->setFocus();
    QTest::keyClick(Field(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Field(), Qt::Key_Delete);
    Type(Field(), text);
  }
  void Press(int index) {
    QTest::mouseClick(Find<QPushButton>(index == 0 ? "Command1(0)" : "Command1(1)"),
                      Qt::LeftButton);
  }

 private slots:
  void cleanup() { window_.reset(); }

  void window() {
    const QWidget& form = Open().form();
    QCOMPARE(form.objectName(), QStringLiteral("Velmora"));
    QCOMPARE(form.windowTitle(),
             QStringLiteral(VELMORA_SITE " Информатика - сума, разлика между цифри и число"));
    QCOMPARE(form.size(), QSize(536, 258));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(form.font().pointSize(), 12);
    QCOMPARE(QFontInfo(form.font()).family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(form.windowIcon().availableSizes().value(0), QSize(32, 32));
    for (const QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      QCOMPARE(child->font(), form.font());
  }

  void controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("text");
    QTest::newRow("top line") << "Label1(0)" << "QLabel" << QRect(88, 0, 361, 25) << true
                              << "Естествено число - сума и разлика от цифри";
    QTest::newRow("caption") << "Label1(1)" << "QLabel" << QRect(88, 40, 89, 25) << true
                             << "Число";
    QTest::newRow("field") << "Text2(0)" << "QLineEdit" << QRect(88, 64, 89, 27) << true
                           << "112";
    QTest::newRow("increase") << "Command1(0)" << "QPushButton" << QRect(288, 40, 161, 25)
                              << true << "Увеличава със сбор";
    QTest::newRow("decrease") << "Command1(1)" << "QPushButton" << QRect(288, 72, 161, 25)
                              << true << "Намалява със сбор";
    QTest::newRow("statement") << "Text1(0)" << "QPlainTextEdit" << QRect(16, 128, 497, 121)
                               << true << "Да се реализира проект";
    QTest::newRow("saying") << "Text1(1)" << "QPlainTextEdit" << QRect(40, 152, 449, 121)
                            << false << "Неприятното в това";
  }
  void controls() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    QFETCH(bool, visible);
    QFETCH(QString, text);
    Open();
    QWidget* widget = Find<QWidget>(name.toUtf8().constData());
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(QString(widget->metaObject()->className()), kind);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->isVisible(), visible);
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(widget)) shown = label->text();
    if (auto* line = qobject_cast<QLineEdit*>(widget)) shown = line->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) shown = button->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
      shown = box->toPlainText();
      QVERIFY(box->isReadOnly());
      QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
      QVERIFY(!shown.contains(QChar('\r')));
    }
    QVERIFY2(shown.startsWith(text), qPrintable(shown));
  }

  void statement() {
    Open();
    auto* statement = Find<QPlainTextEdit>("Text1(0)");
    QCOMPARE(statement->toPlainText().count(QChar('\n')), 7);  // seven lines, each ended
    QVERIFY(statement->toPlainText().contains(
        "\n - да се намалява със сбор на цифрите си.\n"));
    QVERIFY(statement->verticalScrollBar()->maximum() > 0);  // more than fits
    const QString before = statement->toPlainText();
    statement->setFocus();
    Type(statement, "abc");
    QTest::keyClick(statement, Qt::Key_Backspace);
    QCOMPARE(statement->toPlainText(), before);
  }

  void colours_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("window") << QPoint(40, 100) << QColor(192, 192, 255);
    QTest::newRow("top line") << QPoint(92, 20) << QColor(255, 192, 128);
    QTest::newRow("caption") << QPoint(91, 42) << QColor(255, 192, 128);
    QTest::newRow("increase") << QPoint(292, 44) << QColor(128, 255, 255);
    QTest::newRow("increase, far corner") << QPoint(444, 60) << QColor(128, 255, 255);
    QTest::newRow("decrease") << QPoint(292, 76) << QColor(128, 128, 255);
  }
  void colours() {
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    Open();
    QCOMPARE(window_->form().grab().toImage().pixelColor(point), colour);
    // Where the desktop asks for high contrast, its palette (here white on
    // black) takes every stored colour's place; and gives it back.
    const auto restore = qScopeGuard([was = QApplication::palette()] { QApplication::setPalette(was); });
    QApplication::setPalette(QPalette(Qt::white, Qt::black));
    window_->form().UseLayoutColours(false);
    QVERIFY(window_->form().grab().toImage().pixelColor(point) != colour);
    window_->form().UseLayoutColours(true);
    QCOMPARE(window_->form().grab().toImage().pixelColor(point), colour);
  }

  void tabOrderAndFocus() {
    Open();
    QVERIFY(QTest::qWaitForWindowActive(&window_->form()));
    QStringList order;
    for (int i = 0; i < 5; ++i) {
      order << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, QStringList({"Text1(0)", "Command1(0)", "Command1(1)", "Text2(0)",
                                 "Text1(0)"}));
    QCOMPARE(Find<QLabel>("Label1(1)")->buddy(), Field());
  }

  void typing_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits") << "123456" << "1234";
    QTest::newRow("cyrillic") << "Число" << "Числ";
    QTest::newRow("mixed") << "1а2б3в" << "1а2б";
    QTest::newRow("short") << "-9" << "-9";
  }
  void typing() {
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    Open();
    Retype(keys);
    QCOMPARE(Field()->text(), shown);
    QCOMPARE(QString::fromUtf8(window_->panel().FieldText().data()), shown);
    // A full field takes nothing more, wherever the cursor stands.
    if (shown.size() == 4) {
      QTest::keyClick(Field(), Qt::Key_Home);
      Type(Field(), "7");
      QCOMPARE(Field()->text(), shown);
      QCOMPARE(Field()->cursorPosition(), 0);
    }
  }

  void paste_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("shown");
    QTest::newRow("long number") << "" << 0 << "123456789" << "1234";
    QTest::newRow("cyrillic") << "" << 0 << "Число 12" << "Числ";
    QTest::newRow("after text") << "12" << 2 << "3456" << "1234";
    QTest::newRow("inside text") << "11" << 1 << "2345" << "1231";
    QTest::newRow("into full field") << "9999" << 4 << "1" << "9999";
    QTest::newRow("beyond the basic plane") << "" << 0 << "😀😀😀😀😀" << "😀😀😀😀";
    QTest::newRow("two emoji after 112: one fits, whole") << "112" << 3 << "😀😀" << "112😀";
    QTest::newRow("lines: the first only") << "" << 0 << "5\n6\n7" << "5";
    QTest::newRow("CR LF: the first line only") << "1" << 1 << "23\r\n45" << "123";
  }
  void paste() {
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, clipboard);
    QFETCH(QString, shown);
    Open();
    Retype(before);
    Field()->setCursorPosition(cursor);
    QApplication::clipboard()->setText(clipboard);
    QTest::keyClick(Field(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Field()->text(), shown);
    QCOMPARE(QString::fromUtf8(window_->panel().FieldText().data()), shown);
  }

  void presses_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QList<int>>("buttons");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("top");
    QTest::newRow("112 increase") << "112" << QList<int>{0} << '.' << "116" << "8";
    QTest::newRow("increase, decrease") << "112" << QList<int>{0, 1} << '.' << "108" << "9";
    QTest::newRow("9999 increase, cut") << "9999" << QList<int>{0} << '.' << "1003" << "4";
    QTest::newRow("-999 decrease, cut") << "-999" << QList<int>{1} << '.' << "-102" << "3";
    QTest::newRow("empty") << "" << QList<int>{0} << '.' << "0" << "0";
    QTest::newRow("1.5 increase, comma") << "1.5" << QList<int>{0} << ',' << "7,5" << "12";
    QTest::newRow("1.5 twice, comma") << "1.5" << QList<int>{0, 0} << ',' << "19" << "10";
    QTest::newRow("1.5 twice, point") << "1.5" << QList<int>{0, 0} << '.' << "19.5" << "15";
    QTest::newRow(".1 decrease") << ".1" << QList<int>{1} << '.' << "-0.9" << "9";
  }
  void presses() {
    QFETCH(QString, field);
    QFETCH(QList<int>, buttons);
    QFETCH(char, separator);
    QFETCH(QString, shown);
    QFETCH(QString, top);
    Open(static_cast<unsigned char>(separator));
    Retype(field);
    for (int button : buttons) Press(button);
    QCOMPARE(Field()->text(), shown);
    QCOMPARE(Find<QLabel>("Label1(0)")->text(), "Сума от цифри: " + top);
    QCOMPARE(Field()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QVERIFY(errors_.empty());
  }

  // Under the locale the test runs in (see CMakeLists.txt), the program's
  // separator is the regional one.
  void regionalSeparator() {
    const char* expected = std::getenv("VELMORA_EXPECTED_SEPARATOR");
    if (!expected) QSKIP("VELMORA_EXPECTED_SEPARATOR not set");
    const char32_t separator = velmora::qt::RegionalDecimalSeparator();
    QCOMPARE(static_cast<uint>(separator), static_cast<uint>(expected[0]));
    Open(separator);
    Retype("1.5");
    Press(0);
    QCOMPARE(Field()->text(), separator == ',' ? "7,5" : "7.5");
    Press(0);
    QCOMPARE(Field()->text(), separator == ',' ? "19" : "19.5");
  }

  void badRecord_data() {
    QTest::addColumn<int>("offset");  // byte changed, or -1: record cut in half
    QTest::newRow("signature") << 0;
    QTest::newRow("version") << 4;
    QTest::newRow("cut short") << -1;
  }
  void badRecord() {
    QFETCH(int, offset);
    const auto embedded = velmora::EmbeddedRecord();
    std::vector<std::uint8_t> record(embedded.begin(), embedded.end());
    if (offset < 0)
      record.resize(record.size() / 2);
    else
      record[static_cast<std::size_t>(offset)] ^= 0x5A;
    try {
      velmora::qt::LoadWindow(record, '.', 96.0, [](const RuntimeError&) {});
      QFAIL("a bad record was read");
    } catch (const RuntimeError& e) {
      QCOMPARE(e.Number(), velmora::kErrorBadLayout);
      QVERIFY(velmora::ErrorText(e).find(std::to_string(e.Number())) != std::string::npos);
    }
  }

  void missingControl_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("asLabel");  // kept, but as a label
    QTest::newRow("no field") << "Text2" << 0 << false;
    QTest::newRow("no top line") << "Label1" << 0 << false;
    QTest::newRow("field is a label") << "Text2" << 0 << true;
  }
  void missingControl() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(bool, asLabel);
    velmora::Layout layout = velmora::ReadLayoutRecord(velmora::EmbeddedRecord());
    std::erase_if(layout.controls, [&](velmora::Control& c) {
      if (c.name != name.toStdString() || c.index != index) return false;
      c.kind = velmora::ControlKind::Label;
      return !asLabel;
    });
    try {
      NumberWindow window(layout, '.', 96.0, [](const RuntimeError&) {});
      QFAIL("a window without its controls was built");
    } catch (const RuntimeError& e) {
      QCOMPARE(e.Number(), velmora::kErrorBadLayout);
      QVERIFY2(e.Description().find(name.toStdString() + "(0)") != std::string::npos,
               e.Description().c_str());
    }
  }

  // A button that the panel has no command for: its error is reported, and
  // the window keeps its state.
  void handlerError() {
    velmora::Layout layout = velmora::ReadLayoutRecord(velmora::EmbeddedRecord());
    velmora::Control extra = *velmora::FindControl(layout, "Command1", 1);
    extra.index = 2;
    extra.bounds.top += 600;
    layout.controls.push_back(extra);
    Open(U'.', &layout);
    QTest::mouseClick(Find<QPushButton>("Command1(2)"), Qt::LeftButton);
    QCOMPARE(errors_.size(), std::size_t{1});
    QCOMPARE(errors_[0].Number(), velmora::kErrorInvalidArgument);
    QCOMPARE(Field()->text(), QStringLiteral("112"));
  }


  void selectAllThenType() {
    Open();
    Field()->setFocus();
    QTest::keyClick(Field(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(Field()->selectedText(), QStringLiteral("112"));
    Type(Field(), "9");
    QCOMPARE(Field()->text(), QStringLiteral("9"));
    QCOMPARE(QString::fromUtf8(window_->panel().FieldText().data()), QStringLiteral("9"));
  }

  // Undo takes back the last typing or paste exactly, and redo puts back
  // what the field's rule let in, never more; the panel follows both.
  void undoAndRedo_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");      // where the paste goes
    QTest::addColumn<QString>("pasted");  // none: "9" typed over the whole text
    QTest::addColumn<QString>("edited");
    QTest::newRow("typing over the selected text") << "112" << 0 << "" << "9";
    QTest::newRow("a paste cut to 4 characters") << "11" << 1 << "2345" << "1231";
  }
  void undoAndRedo() {
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, pasted);
    QFETCH(QString, edited);
    Open();
    Retype(before);
    Field()->setCursorPosition(cursor);
    QApplication::clipboard()->setText(pasted);
    if (pasted.isEmpty()) {
      QTest::keyClick(Field(), Qt::Key_A, Qt::ControlModifier);
      Type(Field(), "9");
    } else {
      QTest::keyClick(Field(), Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(Field()->text(), edited);
    const Qt::KeyboardModifiers undo = Qt::ControlModifier, redo = undo | Qt::ShiftModifier;
    for (const auto& [keys, shown] : {std::pair(undo, before), std::pair(redo, edited)}) {
      QTest::keyClick(Field(), Qt::Key_Z, keys);
      QCOMPARE(Field()->text(), shown);
      QCOMPARE(PanelText(), shown);
    }
  }

  // Enter, keypad Enter and Space press the focused button, as in a dialog.
  void keysPressTheFocusedButton_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Enter on increase") << int(Qt::Key_Return) << "Command1(0)" << "116";
    QTest::newRow("keypad Enter on increase") << int(Qt::Key_Enter) << "Command1(0)" << "116";
    QTest::newRow("Space on increase") << int(Qt::Key_Space) << "Command1(0)" << "116";
    QTest::newRow("Enter on decrease") << int(Qt::Key_Return) << "Command1(1)" << "108";
  }
  void keysPressTheFocusedButton() {
    QFETCH(int, key);
    QFETCH(QString, button);
    QFETCH(QString, shown);
    Open();
    auto* target = Find<QPushButton>(button.toUtf8().constData());
    target->setFocus();
    QTest::keyClick(target, static_cast<Qt::Key>(key));
    QCOMPARE(Field()->text(), shown);
  }

  // A coloured button keeps exactly its colour, focused or not, shows a
  // dotted focus rectangle inside its edge while focused, and looks sunken
  // while held down.
  void colouredButtonLook() {
    Open();
    auto* button = Find<QPushButton>("Command1(0)");
    const velmora::Colour face = 0xFFFF80;  // RGB(128, 255, 255)
    const QColor fill = velmora::qt::ToQColor(face);
    const QColor shadow(0, 0, 0);
    const QColor raised = velmora::qt::ToQColor(velmora::ButtonEdgeOf(face, false).outer_top_left);
    const QColor sunken = velmora::qt::ToQColor(velmora::ButtonEdgeOf(face, true).outer_top_left);
    const int inset = velmora::kFocusRectangleInset;
    auto shot = [&] { return button->grab().toImage(); };
    auto dotsOnFocusLine = [&](const QImage& image) {
      int dark = 0;
      for (int x = inset; x < button->width() - inset; ++x)
        dark += image.pixelColor(x, inset) == shadow;
      return dark;
    };

    Field()->setFocus();
    QImage plain = shot();
    QCOMPARE(plain.pixelColor(6, 6), fill);
    QCOMPARE(plain.pixelColor(button->width() - 7, button->height() - 7), fill);
    QCOMPARE(dotsOnFocusLine(plain), 0);
    QCOMPARE(plain.pixelColor(0, 0), raised);

    button->setFocus();
    QVERIFY(button->hasFocus());
    const QImage focused = shot();
    QCOMPARE(focused.pixelColor(6, 6), fill);
    QCOMPARE(focused.pixelColor(inset - 1, button->height() / 2), fill);  // just outside it
    QVERIFY(dotsOnFocusLine(focused) > button->width() / 4);

    QTest::keyPress(button, Qt::Key_Space);  // held down
    QVERIFY(button->isDown());
    const QImage held = shot();
    QCOMPARE(held.pixelColor(0, 0), sunken);
    QCOMPARE(held.pixelColor(6, 6), fill);
    QTest::keyRelease(button, Qt::Key_Space);
    QCOMPARE(Field()->text(), QStringLiteral("116"));
  }

  // What a screen reader reads: every control the window shows, by its
  // name and role, and the hidden saying not at all.
  void accessibleNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<int>("role");
    QTest::newRow("top line") << "Label1(0)" << "Естествено число - сума и разлика от цифри"
                              << int(QAccessible::StaticText);
    QTest::newRow("caption") << "Label1(1)" << "Число" << int(QAccessible::StaticText);
    QTest::newRow("field") << "Text2(0)" << "Число" << int(QAccessible::EditableText);
    QTest::newRow("increase") << "Command1(0)" << "Увеличава със сбор" << int(QAccessible::Button);
    QTest::newRow("decrease") << "Command1(1)" << "Намалява със сбор" << int(QAccessible::Button);
    QTest::newRow("statement") << "Text1(0)" << "Условие на задачата"
                               << int(QAccessible::EditableText);
  }
  void accessibleNames() {
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    QFETCH(int, role);
    Open();
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(&window_->form());
    QVERIFY(form);
    QAccessibleInterface* found = nullptr;
    for (int i = 0; i < form->childCount(); ++i)
      if (form->child(i)->object()->objectName() == name) found = form->child(i);
    QVERIFY2(found, qPrintable(name));
    QCOMPARE(found->text(QAccessible::Name), accessibleName);
    QCOMPARE(int(found->role()), role);
    QCOMPARE(form->indexOfChild(found) >= 0, true);
  }
  void sayingIsNotExposed() {
    Open();
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(&window_->form());
    QCOMPARE(form->childCount(), 6);
    for (int i = 0; i < form->childCount(); ++i)
      QVERIFY(form->child(i)->object()->objectName() != QStringLiteral("Text1(1)"));
    QCOMPARE(form->child(6), nullptr);
  }

  // What a screen reader asks of the field's text at every offset from its
  // start to one past its end: the piece at, before and after it, each as
  // "start-end" or "." for none. Its text attributes are one run over the
  // whole text, so that a screen reader that reads by runs reads all of it.
  void fieldText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("boundary");
    QTest::addColumn<QString>("pieces");  // at | before | after
    const int character = QAccessible::CharBoundary, word = QAccessible::WordBoundary;
    const QString whole = "0-3 0-3 0-3 . . | . . . 0-3 . | . . . . .";
    const QString line = "0-3 0-3 0-3 0-3 . | . . . . . | . . . . .";
    QTest::newRow("112, characters")
        << "112" << character << "0-1 1-2 2-3 . . | . 0-1 1-2 2-3 . | 1-2 2-3 . . .";
    QTest::newRow("112, words") << "112" << word << whole;
    QTest::newRow("112, sentences") << "112" << int(QAccessible::SentenceBoundary) << whole;
    QTest::newRow("112, lines") << "112" << int(QAccessible::LineBoundary) << line;
    QTest::newRow("112, paragraphs") << "112" << int(QAccessible::ParagraphBoundary) << line;
    QTest::newRow("-12, words") << "-12" << word << "0-1 1-3 1-3 . . | . 0-1 0-1 1-3 . | 1-3 . . . .";
    QTest::newRow("12 a, a word runs to the next")
        << "12 a" << word << "0-3 0-3 0-3 3-4 . . | . . . 0-3 3-4 . | 3-4 3-4 3-4 . . .";
    QTest::newRow("a pair of surrogates is one character")
        << "1😀" << character << "0-1 1-3 1-3 . . | . 0-1 0-1 1-3 . | 1-3 . . . .";
    QTest::newRow("empty, lines") << "" << int(QAccessible::LineBoundary) << ". . | . . | . .";
  }
  void fieldText() {
    QFETCH(QString, text);
    QFETCH(int, boundary);
    QFETCH(QString, pieces);
    Open();
    Retype(text);
    QAccessibleTextInterface* field = QAccessible::queryAccessibleInterface(Field())->textInterface();
    const auto type = static_cast<QAccessible::TextBoundaryType>(boundary);
    QStringList got[3];
    for (int offset = 0; offset <= text.size() + 1; ++offset) {
      for (int which = 0; which < 3; ++which) {
        int start = 0, end = 0;
        const QString piece = which == 0   ? field->textAtOffset(offset, type, &start, &end)
                              : which == 1 ? field->textBeforeOffset(offset, type, &start, &end)
                                           : field->textAfterOffset(offset, type, &start, &end);
        QCOMPARE(piece, start < 0 ? QString() : text.mid(start, end - start));
        got[which] << (start < 0 ? QStringLiteral(".") : QStringLiteral("%1-%2").arg(start).arg(end));
      }
      int start = 0, end = 0;
      field->attributes(offset, &start, &end);
      const bool inside = offset <= text.size();
      QCOMPARE(std::pair(start, end), inside ? std::pair(0, int(text.size())) : std::pair(-1, -1));
    }
    QCOMPARE(got[0].join(' ') + " | " + got[1].join(' ') + " | " + got[2].join(' '), pieces);
  }

  // What a screen reader writes into the field goes through its rule, as
  // typing does, and reaches the panel.
  void screenReaderEditsKeepTheRule() {
    Open();
    QAccessibleEditableTextInterface* field =
        QAccessible::queryAccessibleInterface(Field())->editableTextInterface();
    field->insertText(3, QStringLiteral("456"));
    QCOMPARE(Field()->text(), QStringLiteral("1124"));
    QCOMPARE(PanelText(), QStringLiteral("1124"));
    field->deleteText(0, 2);
    QCOMPARE(Field()->text(), QStringLiteral("24"));
    QCOMPARE(PanelText(), QStringLiteral("24"));
  }

  // Every press is spoken wherever the focus is: a notification with the
  // new top line appears again; the focus stays on the button.
  void pressIsAnnounced() {
    Open();
    announced_.clear();
    qApp->installEventFilter(this);
    auto* increase = Find<QPushButton>("Command1(0)");
    increase->setFocus();
    QTest::keyClick(increase, Qt::Key_Space);
    QTest::keyClick(increase, Qt::Key_Return);
    QVERIFY(increase->hasFocus());
    Field()->selectAll();
    Type(Field(), "9");  // 9 → 18 → 27 keeps the top line, and is heard each time
    increase->click();
    increase->click();
    qApp->removeEventFilter(this);
    QCOMPARE(announced_, QStringList({"Сума от цифри: 8", "Сума от цифри: 7", "Сума от цифри: 9",
                                      "Сума от цифри: 9"}));
  }

  // What the desktop portal's settings say of high contrast (none: not a
  // contrast setting).
  void highContrastSetting() {
    using velmora::qt::HighContrastSetting;
    const QString appearance = "org.freedesktop.appearance";
    QCOMPARE(HighContrastSetting(appearance, "contrast", 1u), std::optional(true));
    QCOMPARE(HighContrastSetting(appearance, "contrast", 0u), std::optional(false));
    QCOMPARE(HighContrastSetting("org.gnome.desktop.a11y.interface", "high-contrast",
                                 QVariant::fromValue(QDBusVariant(true))),  // as Read wraps it
             std::optional(true));
    QCOMPARE(HighContrastSetting(appearance, "color-scheme", 1u), std::optional<bool>());
  }

  // Labels lie beneath the boxes: the caption's last row is the field's
  // top border, drawn by the field.
  void labelsLieBeneathTheField() {
    Open();
    const QImage image = window_->form().grab().toImage();
    const QColor label(255, 192, 128);
    for (int x = 100; x < 170; x += 10) QVERIFY2(image.pixelColor(x, 64) != label, qPrintable(QString::number(x)));
    QCOMPARE(image.pixelColor(100, 60), label);  // the caption above it
  }

  // Qt's own texts (the field's context menu) in the user's language.
  void qtTextsInTheUsersLanguage() {
    if (QLocale::system().language() != QLocale::Bulgarian) QSKIP("not under a Bulgarian locale");
    if (!translations_loaded_) QSKIP("Qt's Bulgarian translations are not installed");
    Open();
    auto& field = dynamic_cast<velmora::qt::LineEdit&>(*Field());
    const std::unique_ptr<QMenu> menu(field.CreateContextMenu());
    const QAction* paste = velmora::qt::PasteAction(*menu);
    QVERIFY(paste);
    QVERIFY2(!paste->text().contains(QStringLiteral("Paste")), qPrintable(paste->text()));

    // Paste from the menu goes through the field's rule too.
    QApplication::clipboard()->setText(QStringLiteral("5\n6\n7"));
    Field()->selectAll();
    const_cast<QAction*>(paste)->trigger();
    QCOMPARE(Field()->text(), QStringLiteral("5"));
  }

 public:
  bool translations_loaded_ = false;
};

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  QApplication app(argc, argv);
  // No image plugin is needed: the window's icon comes from the record's
  // own pixels.
  QCoreApplication::setLibraryPaths({});
  WindowTest test;
  test.translations_loaded_ = velmora::qt::LoadQtTranslations();
  return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"

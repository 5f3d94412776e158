#include "controls/text_box.h"
#include "key_input.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QMainWindow>
#include <QtTest>

// The text box's own contract, which both conversion modes are built on.
class TextBoxTest : public QObject
{
    Q_OBJECT

private:
    QMainWindow *m_window = nullptr;
    TextBox *m_box = nullptr;
    QList<int> m_codes;
    int m_changes = 0;
    std::function<void(std::int16_t &)> m_answer;

private Q_SLOTS:
    void init()
    {
        m_window = new QMainWindow;
        m_box = new TextBox(QStringLiteral("Box"), m_window);
        m_window->setCentralWidget(m_box);
        m_codes.clear();
        m_changes = 0;
        m_answer = nullptr;
        m_box->setKeyPressHandler([this](std::int16_t &code) {
            m_codes << code;
            if (m_answer)
                m_answer(code);
        });
        m_box->setChangeHandler([this] { ++m_changes; });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }

    void cleanup() { delete m_window; }

    void assigningPutsTheCaretAtTheStart()
    {
        m_box->setText(QStringLiteral("Backspace Key"));
        QCOMPARE(m_box->cursorPosition(), 0);
        QTest::keyClick(m_box, Qt::Key_Backspace);
        QCOMPARE(m_box->text(), QStringLiteral("Backspace Key"));
    }

    void changeHandlerRunsOnEveryRealChangeOnly()
    {
        m_box->setText(QStringLiteral("x"));
        QCOMPARE(m_changes, 1);
        m_box->setText(QStringLiteral("x"));
        QCOMPARE(m_changes, 1);
        QTest::keyClick(m_box, Qt::Key_End);
        QTest::keyClick(m_box, 'y');
        QCOMPARE(m_changes, 2);
        m_box->insert(QStringLiteral("pasted"));
        QCOMPARE(m_changes, 3);
        QTest::keyClick(m_box, Qt::Key_Backspace);
        QCOMPARE(m_box->text(), QStringLiteral("xypaste"));
        QCOMPARE(m_changes, 4);
        m_box->setText(QString());
        QCOMPARE(m_changes, 5);
    }

    void lengthLimitRefusesSilently()
    {
        m_box->setMaxLength(3);
        QTest::keyClicks(m_box, QStringLiteral("1234"));
        QCOMPARE(m_box->text(), QStringLiteral("123"));
        QCOMPARE(m_changes, 3);
        QCOMPARE(m_codes.size(), 4); // the handler still saw the fourth digit
    }

    void keysArriveWithTheirCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        const int ctrl = Qt::ControlModifier;
        const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("7") << int(Qt::Key_7) << 0 << 55;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << 8;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << 13;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 13;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 27;
        QTest::newRow("Space") << int(Qt::Key_Space) << 0 << 32;
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << 1;
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << 3;
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << ctrl << 22;
        QTest::newRow("Ctrl+X") << int(Qt::Key_X) << ctrl << 24;
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << ctrl << 26;
        QTest::newRow("Ctrl+Backspace") << int(Qt::Key_Backspace) << ctrl << 127;
        QTest::newRow("Ctrl+Shift+6") << int(Qt::Key_6) << ctrlShift << 30;
        QTest::newRow("Ctrl+^") << int(Qt::Key_AsciiCircum) << ctrlShift << 30;
        QTest::newRow("Ctrl+Shift+-") << int(Qt::Key_Minus) << ctrlShift << 31;
        QTest::newRow("Ctrl+_") << int(Qt::Key_Underscore) << ctrlShift << 31;
        QTest::newRow("Ctrl+[") << int(Qt::Key_BracketLeft) << ctrl << 27;
    }

    void keysArriveWithTheirCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        m_answer = [](std::int16_t &c) { c = 0; };
        QTest::keyClick(m_box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_codes, QList<int> { code });
    }

    // Qt's key events for Ctrl chords carry no text on some platforms; the code must not depend
    // on it.
    void controlCodesDoNotNeedTheEventText()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_H, Qt::ControlModifier, QString());
        QApplication::sendEvent(m_box, &press);
        QCOMPARE(m_codes, QList<int> { 8 });
    }

    void charactersArriveInTheAnsiCodePage()
    {
        typeCharacter(m_box, QStringLiteral("é"));
        typeCharacter(m_box, QStringLiteral("€"));
        QCOMPARE(m_codes, (QList<int> { 233, 128 }));
        QCOMPARE(m_box->text(), QStringLiteral("é€"));
    }

    void characterOutsideTheCodePageArrivesAsQuestionMark()
    {
        typeCharacter(m_box, QStringLiteral("Ω"));
        QCOMPARE(m_codes, QList<int> { 63 });
        QCOMPARE(m_box->text(), QStringLiteral("?"));
    }

    void keysWithoutCharacterBypassTheHandler()
    {
        m_box->setText(QStringLiteral("ab"));
        QTest::keyClick(m_box, Qt::Key_Delete);
        QTest::keyClick(m_box, Qt::Key_Right);
        QTest::keyClick(m_box, Qt::Key_F5);
        QTest::keyClick(m_box, Qt::Key_X, Qt::AltModifier);
        QVERIFY(m_codes.isEmpty());
        QCOMPARE(m_box->text(), QStringLiteral("b"));
    }

    void cancelledKeyNeverReachesTheBox()
    {
        m_answer = [](std::int16_t &code) { code = 0; };
        QTest::keyClicks(m_box, QStringLiteral("ab"));
        QTest::keyClick(m_box, Qt::Key_Backspace);
        QVERIFY(m_box->text().isEmpty());
        QCOMPARE(m_changes, 0);
    }

    void changedCodeTypesTheNewCharacter()
    {
        m_answer = [](std::int16_t &code) { code = 'Z'; };
        QTest::keyClick(m_box, 'a');
        QCOMPARE(m_box->text(), QStringLiteral("Z"));
    }

    void controlCodesThatAreLetThroughAreInserted()
    {
        QTest::keyClick(m_box, Qt::Key_6, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(m_box->text(), QString(QChar(30)));
    }

    void composedCharactersPassTheHandler()
    {
        m_answer = [](std::int16_t &code) {
            if (code == 'x')
                code = 0;
        };
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("éx"));
        QApplication::sendEvent(m_box, &commit);
        QCOMPARE(m_codes, (QList<int> { 233, 'x' }));
        QCOMPARE(m_box->text(), QStringLiteral("é"));
    }

    void menuShortcutsWinOverTheBox()
    {
        auto *about = new QAction(m_window);
        about->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
        m_window->addAction(about);
        QSignalSpy triggered(about, &QAction::triggered);
        m_box->setFocus();
        QTest::keyClick(m_box, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(triggered.count(), 1);
        QVERIFY(m_codes.isEmpty());
    }

    void clickingIntoTheBoxKeepsTheGotFocusSelection()
    {
        auto *other = new TextBox(QStringLiteral("Other"), m_window);
        other->setGeometry(0, 0, 10, 10);
        other->show();
        other->setFocus();
        m_box->setText(QStringLiteral("233"));
        m_box->setGotFocusHandler([this] { m_box->selectWholeText(); });
        QTest::mouseClick(m_box, Qt::LeftButton, {}, m_box->rect().center());
        QVERIFY(m_box->hasFocus());
        QCOMPARE(m_box->selectedText(), QStringLiteral("233"));
    }
};

QTEST_MAIN(TextBoxTest)
#include "text_box_test.moc"

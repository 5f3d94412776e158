// MainWindow: the two conversions and the switch between them.

#include "controls/label.h"
#include "controls/text_box.h"
#include "conversion.h"
#include "logic/nearest_int16.h"
#include "main_window.h"
#include "platform/window_timer.h"

#include <QAccessible>
#include <QAction>

void MainWindow::onCharacterKeyPress(std::int16_t &code)
{
    m_characterInput->setText(QString());
    const Conversion::CharToCodeKey key = Conversion::charToCodeKey(code);
    if (!key.nameInBox.isEmpty())
        m_characterInput->setText(key.nameInBox);
    if (!key.resultText.isEmpty())
        m_result->setText(key.resultText);
    if (key.cancelled)
        code = 0;
}

void MainWindow::onCharacterChanged()
{
    if (m_characterInput->text().isEmpty())
        m_result->setText(QString());
}

void MainWindow::onCodeKeyPress(std::int16_t &code)
{
    if (Conversion::isNumericInputKey(code)) {
        m_convertTimer->setEnabled(true);
        return;
    }
    code = 0;
    showNumericWarning();
}

void MainWindow::showNumericWarning()
{
    m_numericWarning->show();
    QAccessibleEvent alert(m_numericWarning, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    m_warningTimer->setEnabled(true);
}

void MainWindow::onCodeChanged()
{
    m_convertTimer->setEnabled(true);
}

// One-shot: the first tick after typing starts converts whatever the box holds by then.
void MainWindow::onConvertTimer()
{
    m_convertTimer->setEnabled(false);
    const QString text = m_codeInput->text();
    if (text.isEmpty()) {
        clearResult();
        return;
    }
    // Typed text is 0 to 999. Pasted text may be anything of up to three characters; what has
    // no code from 0 up is refused like a typed letter instead of showing a stale or bogus result.
    const std::optional<double> number = Conversion::leadingNumber(text);
    const std::optional<std::int16_t> code = number ? Numbers::nearestInt16(*number) : std::nullopt;
    if (!code || *code < 0) {
        clearResult();
        showNumericWarning();
        return;
    }
    showCharacterInfo(*code);
}

// Never disabled: once started it keeps hiding the warning every second.
void MainWindow::onWarningTimer()
{
    m_numericWarning->hide();
}

void MainWindow::showCharacterInfo(std::int16_t code)
{
    const Conversion::CharInfo info = Conversion::describeCode(code, m_charAbbr);
    m_charAbbr = info.abbreviation;
    m_result->setText(info.abbreviation);
    m_characterName->setCaption(info.name);
}

void MainWindow::clearResult()
{
    m_result->setText(QString());
    m_characterName->setCaption(QString());
}

// Switching also empties the name label and drops a pending conversion, which would otherwise
// write a code's name next to the other mode's result.
void MainWindow::onCharToCodeTriggered()
{
    if (m_charToCode) {
        setModeFlag(true);
        return;
    }
    m_convertTimer->setEnabled(false);
    switchMode(true);
}

void MainWindow::onCodeToCharTriggered()
{
    if (!m_charToCode) {
        setModeFlag(false);
        return;
    }
    switchMode(false);
}

void MainWindow::switchMode(bool charToCode)
{
    setModeFlag(charToCode);
    TextBox *entered = inputBox();
    TextBox *left = charToCode ? m_codeInput : m_characterInput;
    // The focus moves before the old box hides, or Qt would pass it through the result box on
    // the way and a screen reader would announce that box for nothing.
    entered->show();
    entered->setFocus(Qt::OtherFocusReason);
    left->hide();
    entered->setText(QString());
    clearResult();
    setModeCaptions();
}

// The start-up form of a switch: the boxes keep their text and the focus stays where it is.
void MainWindow::showMode(bool charToCode)
{
    setModeFlag(charToCode);
    m_characterInput->setVisible(charToCode);
    m_codeInput->setVisible(!charToCode);
    setModeCaptions();
}

void MainWindow::setModeFlag(bool charToCode)
{
    m_charToCode = charToCode;
    m_charToCodeAction->setChecked(charToCode);
    m_codeToCharAction->setChecked(!charToCode);
}

void MainWindow::setModeCaptions()
{
    m_inputCaption->setCaption(
        m_charToCode ? QStringLiteral("&Enter Character") : QStringLiteral("&Enter ASCII Value"));
    m_inputCaption->setBuddy(inputBox());
    m_resultCaption->setCaption(
        m_charToCode ? QStringLiteral("ASCII Value is") : QStringLiteral("Character is "));
    m_result->setAccessibleName(m_resultCaption->text().trimmed());
}

TextBox *MainWindow::inputBox() const
{
    return m_charToCode ? m_characterInput : m_codeInput;
}

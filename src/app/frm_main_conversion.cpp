// FrmMain: the two conversions and the switch between them.

#include "controls/label.h"
#include "controls/text_box.h"
#include "conversion.h"
#include "frm_main.h"
#include "logic/nearest_int16.h"
#include "platform/window_timer.h"

#include <QAccessible>
#include <QAction>

void FrmMain::Text1_KeyPress(std::int16_t &code)
{
    Text1->setText(QString());
    const Conversion::CharToCodeKey key = Conversion::charToCodeKey(code);
    if (!key.nameInBox.isEmpty())
        Text1->setText(key.nameInBox);
    if (!key.resultText.isEmpty())
        Text3->setText(key.resultText);
    if (key.cancelled)
        code = 0;
}

void FrmMain::Text1_Change()
{
    if (Text1->text().isEmpty())
        Text3->setText(QString());
}

void FrmMain::Text2_KeyPress(std::int16_t &code)
{
    if (Conversion::isNumericInputKey(code)) {
        Timer1->setEnabled(true);
        return;
    }
    code = 0;
    showNumericWarning();
}

void FrmMain::showNumericWarning()
{
    Lbl3->show();
    QAccessibleEvent alert(Lbl3, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    Timer2->setEnabled(true);
}

void FrmMain::Text2_Change()
{
    Timer1->setEnabled(true);
}

// One-shot: the first tick after typing starts converts whatever the box holds by then.
void FrmMain::Timer1_Timer()
{
    Timer1->setEnabled(false);
    const QString text = Text2->text();
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
    ShowCharInfo(*code);
}

// Never disabled: once started it keeps hiding the warning every second.
void FrmMain::Timer2_Timer()
{
    Lbl3->hide();
}

void FrmMain::ShowCharInfo(std::int16_t code)
{
    const Conversion::CharInfo info = Conversion::describeCode(code, m_charAbbr);
    m_charAbbr = info.abbreviation;
    Text3->setText(info.abbreviation);
    Lbl4->setCaption(info.name);
}

void FrmMain::clearResult()
{
    Text3->setText(QString());
    Lbl4->setCaption(QString());
}

// Switching also empties the name label and drops a pending conversion, which would otherwise
// write a code's name next to the other mode's result.
void FrmMain::MenuModeC2A_Click()
{
    if (m_modeC2A) {
        setModeFlag(true);
        return;
    }
    Timer1->setEnabled(false);
    switchMode(true);
}

void FrmMain::MenuModeA2C_Click()
{
    if (!m_modeC2A) {
        setModeFlag(false);
        return;
    }
    switchMode(false);
}

void FrmMain::switchMode(bool charToCode)
{
    setModeFlag(charToCode);
    TextBox *entered = inputBox();
    TextBox *left = charToCode ? Text2 : Text1;
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
void FrmMain::showMode(bool charToCode)
{
    setModeFlag(charToCode);
    Text1->setVisible(charToCode);
    Text2->setVisible(!charToCode);
    setModeCaptions();
}

void FrmMain::setModeFlag(bool charToCode)
{
    m_modeC2A = charToCode;
    MenuModeC2A->setChecked(charToCode);
    MenuModeA2C->setChecked(!charToCode);
}

void FrmMain::setModeCaptions()
{
    Lbl1->setCaption(
        m_modeC2A ? QStringLiteral("&Enter Character") : QStringLiteral("&Enter ASCII Value"));
    Lbl1->setBuddy(inputBox());
    Lbl2->setCaption(
        m_modeC2A ? QStringLiteral("ASCII Value is") : QStringLiteral("Character is "));
    Text3->setAccessibleName(Lbl2->text().trimmed());
}

TextBox *FrmMain::inputBox() const
{
    return m_modeC2A ? Text1 : Text2;
}

#include "text_box.h"

#include "key_codes.h"
#include "platform/ansi_code_page.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <utility>

TextBox::TextBox(const QString &designName, QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(designName);
    connect(this, &QLineEdit::textChanged, this, &TextBox::onTextChanged);
}

void TextBox::setText(const QString &text)
{
    QLineEdit::setText(text);
    setCursorPosition(0);
}

void TextBox::selectWholeText()
{
    setSelection(0, int(text().size()));
}

bool TextBox::event(QEvent *event)
{
    // QLineEdit claims Ctrl chords such as Ctrl+D for its own editing keys before the menu sees
    // them. With a key-press handler every chord is a control code for the handler, and a
    // window's menu shortcut always wins over a text box's own use of the chord.
    if (event->type() == QEvent::ShortcutOverride && m_keyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return QWidget::event(event);
    }
    return QLineEdit::event(event);
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    const std::optional<std::int16_t> code
        = m_keyPress ? KeyCodes::fromKeyEvent(*event) : std::nullopt;
    if (!code) {
        const bool charactersWithoutCode = m_keyPress && !event->text().isEmpty()
            && event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        if (charactersWithoutCode) // an Alt or unknown Ctrl chord types nothing
            event->accept();
        else
            QLineEdit::keyPressEvent(event);
        return;
    }
    std::int16_t value = *code;
    m_keyPress(value);
    event->accept();
    if (value != 0)
        typeCode(value, event);
}

void TextBox::typeCode(std::int16_t code, QKeyEvent *original)
{
    switch (code) {
    case 8:
        if (!isReadOnly())
            backspace();
        return;
    case 13:
        Q_EMIT returnPressed();
        return;
    case 27:
        if (original) // let the window see Escape, as for a box without a handler
            original->ignore();
        return;
    default:
        if (!isReadOnly())
            insert(AnsiCodePage::toUnicode(code));
    }
}

void TextBox::inputMethodEvent(QInputMethodEvent *event)
{
    // Composed characters (dead keys, input methods) arrive here instead of as key presses;
    // each must still pass the key-press handler.
    if (!m_keyPress || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const QString committed = event->commitString();
    for (const char32_t character : committed.toUcs4()) {
        std::int16_t value = AnsiCodePage::fromUnicode(character);
        m_keyPress(value);
        if (value != 0)
            typeCode(value, nullptr);
    }
    event->accept();
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // A click that brings the focus places the caret after this handler ran, which would undo
    // its selection; the handler runs again once the click has been handled.
    m_rerunGotFocusAfterClick = event->reason() == Qt::MouseFocusReason;
    if (m_gotFocus)
        m_gotFocus();
}

void TextBox::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    if (std::exchange(m_rerunGotFocusAfterClick, false) && m_gotFocus)
        m_gotFocus();
}

void TextBox::onTextChanged(const QString &text)
{
    if (text == m_lastText)
        return;
    m_lastText = text;
    if (m_change)
        m_change();
}

#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>

// A single-line text box that behaves the way the windows' handlers expect:
// - every typed character first passes the key-press handler as a 16-bit code, which the handler
//   may change or cancel (set to 0); menu shortcuts still come first;
// - the change handler runs on every change of the text, typed, pasted or assigned, and not when
//   an assignment leaves the text as it was;
// - assigning a text puts the caret at position 0, so a Backspace that follows deletes nothing;
// - a length limit silently refuses further characters.
class TextBox : public QLineEdit
{
    Q_OBJECT

public:
    using KeyPressHandler = std::function<void(std::int16_t &code)>;

    explicit TextBox(const QString &designName, QWidget *parent = nullptr);

    void setKeyPressHandler(KeyPressHandler handler) { m_keyPress = std::move(handler); }
    void setChangeHandler(std::function<void()> handler) { m_change = std::move(handler); }
    void setGotFocusHandler(std::function<void()> handler) { m_gotFocus = std::move(handler); }

    // Deliberately hides QLineEdit::setText, which leaves the caret at the end.
    void setText(const QString &text);

    void selectWholeText();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void typeCode(std::int16_t code, QKeyEvent *original);
    void onTextChanged(const QString &text);

    KeyPressHandler m_keyPress;
    std::function<void()> m_change;
    std::function<void()> m_gotFocus;
    QString m_lastText;
    bool m_rerunGotFocusAfterClick = false;
};

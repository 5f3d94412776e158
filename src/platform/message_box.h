#pragma once

#include <QString>

class QWidget;

inline const QString applicationTitle = QStringLiteral("Glyphorbitaloscopex");

// Modal message boxes with an OK button, as every window reports to the user. Behind an
// interface so that tests can answer them without a modal loop.
class MessageBox
{
public:
    enum class Icon { None, Information, Critical };

    virtual ~MessageBox() = default;
    // The box opens over its owner, the window it reports for; without one, over the screen. An
    // empty title shows the application title as the caption.
    virtual void show(QWidget *owner, const QString &text, const QString &title, Icon icon) = 0;
};

class QtMessageBox final : public MessageBox
{
public:
    void show(QWidget *owner, const QString &text, const QString &title, Icon icon) override;
};

#pragma once

#include <QLabel>

// A self-sizing label: with auto-size on, it grows and shrinks with its caption and its font from
// its top-left corner, so a longer name or a larger font never gets clipped.
class Label : public QLabel
{
    Q_OBJECT

public:
    Label(const QString &designName, const QString &caption, QWidget *parent = nullptr);

    void setAutoSize(bool autoSize);
    void setCaption(const QString &caption);
    void setTextColour(const QColor &colour);

protected:
    void changeEvent(QEvent *event) override;

private:
    bool m_autoSize = false;
};

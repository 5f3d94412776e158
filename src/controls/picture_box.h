#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

// Loads a picture without leaving a copy in Qt's pixmap cache, which a file loaded into a QPixmap
// would otherwise stay in after the window that showed it is unloaded. On a screen of more than one
// device pixel to the pixel it takes the picture's twice-as-large drawing, "name@2x.png" beside
// "name.png", where there is one; either way the picture keeps the plain one's size on screen.
QPixmap loadPictureUncached(const QString &path, qreal devicePixelRatio);

// A borderless picture box, exactly the size of its picture. Pointer moves over it go to its own
// handler and stop there, so the window beneath does not take them for moves over its surface.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    PictureBox(const QString &designName, QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    void setMouseMoveHandler(std::function<void()> handler);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    std::function<void()> m_mouseMove;
};

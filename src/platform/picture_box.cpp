#include "picture_box.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

QPixmap loadPictureUncached(const QString &path)
{
    return QPixmap::fromImage(QImage(path));
}

PictureBox::PictureBox(const QString &designName, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(designName);
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    resize(picture.deviceIndependentSize().toSize());
    // An opaque picture spares the window beneath repainting what the box covers when it moves.
    setAttribute(Qt::WA_OpaquePaintEvent, !picture.hasAlphaChannel());
    update();
}

void PictureBox::setMouseMoveHandler(std::function<void()> handler)
{
    m_mouseMove = std::move(handler);
    setMouseTracking(true);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    if (m_mouseMove)
        m_mouseMove();
    event->accept();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, m_picture);
}

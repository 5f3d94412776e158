#include "picture_box.h"

#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

QPixmap loadPictureUncached(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        const QFileInfo plain(path);
        QImage doubled(plain.path() + u'/' + plain.completeBaseName() + QStringLiteral("@2x.")
            + plain.suffix());
        if (!doubled.isNull()) {
            // The image reader takes the ratio from the name too, but not where the environment
            // turns that off, and the picture would then come out twice as large.
            doubled.setDevicePixelRatio(2);
            return QPixmap::fromImage(std::move(doubled));
        }
    }
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
    QPainter painter(this);
    // Between whole ratios (150 %) the larger drawing is scaled down, which without smoothing
    // drops whole rows of it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, m_picture);
}

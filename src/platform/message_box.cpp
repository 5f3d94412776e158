#include "message_box.h"
#include "window_placement.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

namespace {

// Qt widens a box for its title by only 50 pixels, but a window manager's title bar also holds
// the window's icon and up to three buttons, whatever the box asks for, and may centre the title
// over the whole bar (openbox does): a short text cut a longer title short or hid it. As Windows
// sizes its message boxes, the box is as wide as its title needs: measured in bold, the widest a
// title bar draws it, with room for three buttons on either side.
int titleWidth(const QMessageBox &box)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const int button = box.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return QFontMetrics(font).horizontalAdvance(box.windowTitle()) + 2 * 3 * button;
}

// Qt centres a box over its owner by the client areas and, under X11, before the window manager
// has framed it: under openbox it opened a title bar's height above the owner's middle. Once
// Qt has sized and placed it, it is placed again by the frame it is about to get.
class CentredBox final : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (parentWidget() && !event->spontaneous())
            WindowPlacement::centreOver(
                this, parentWidget()->window(), WindowPlacement::frameBeforeMapping(this));
    }
};

} // namespace

void QtMessageBox::show(QWidget *owner, const QString &text, const QString &title, Icon icon)
{
    CentredBox box(owner);
    box.setWindowTitle(title.isEmpty() ? applicationTitle : title);
    // Texts quote settings files, which may hold anything; none of it may be taken as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    // Desktops whose theme puts icons on dialog buttons would give OK one; the design has none.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    // The button row spans the box, so its width is the least the box can have.
    if (auto *buttons = box.findChild<QDialogButtonBox *>()) {
        const QMargins margins = box.layout()->contentsMargins();
        buttons->setMinimumWidth(titleWidth(box) - margins.left() - margins.right());
    }
    box.exec();
}

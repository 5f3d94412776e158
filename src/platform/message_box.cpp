#include "message_box.h"

#include <QMessageBox>

void QtMessageBox::show(const QString &text, const QString &title, Icon icon)
{
    QMessageBox box;
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
    box.exec();
}

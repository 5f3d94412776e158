#include "url_opener.h"

#include <QDesktopServices>
#include <QUrl>

void QtUrlOpener::open(const QString &url, QWidget *)
{
    QDesktopServices::openUrl(QUrl(url));
}

#include "url_opener.h"

#include <QDesktopServices>
#include <QUrl>

#ifdef _WIN32
#include "win32/open_url.h"
#endif

void QtUrlOpener::open(const QString &url, QWidget *)
{
    QDesktopServices::openUrl(QUrl(url));
}

#ifdef _WIN32
void ShellUrlOpener::open(const QString &url, QWidget *)
{
    // The shell's ANSI entry point takes the address in the system code page.
    Win32::openUrl(url.toLocal8Bit().toStdString()).detach();
}
#endif

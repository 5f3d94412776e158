#include "url_opener.h"

#include <QDesktopServices>
#include <QUrl>

#ifdef _WIN32
#include "win32/open_url.h"

#include <QWidget>
#endif

void QtUrlOpener::open(const QString &url, QWidget *)
{
    QDesktopServices::openUrl(QUrl(url));
}

#ifdef _WIN32
void ShellUrlOpener::open(const QString &url, QWidget *window)
{
    // The shell's ANSI entry point takes the address in the system code page.
    Win32::openUrl(window ? reinterpret_cast<void *>(window->winId()) : nullptr,
        url.toLocal8Bit().toStdString());
}
#endif

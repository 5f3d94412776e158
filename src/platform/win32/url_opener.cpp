#include "platform/win32/api/open_url.h"
#include "system_services.h"

void ShellUrlOpener::open(const QString &url, QWidget *)
{
    // The shell's ANSI entry point takes the address in the system code page.
    Win32::openUrl(url.toLocal8Bit().toStdString()).detach();
}

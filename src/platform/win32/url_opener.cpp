#include "platform/win32/api/open_url.h"
#include "system_services.h"

void ShellUrlOpener::open(const QString &url, QWidget *)
{
    Win32::openUrl(url.toStdString());
}

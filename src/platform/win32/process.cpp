#include "platform/process.h"
#include "platform/win32/api/open_url.h"

void RealProcessControl::endNow(int exitCode)
{
    Win32::endProcess(exitCode);
}

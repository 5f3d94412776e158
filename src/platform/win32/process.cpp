#include "platform/process.h"
#include "open_url.h"

void RealProcessControl::endNow(int exitCode)
{
    Win32::endProcess(exitCode);
}

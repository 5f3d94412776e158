#include "platform/process.h"

#include <cstdio>
#include <cstdlib>

void RealProcessControl::endNow(int exitCode)
{
    // _Exit skips static destructors and atexit handlers, where Qt would still deliver events.
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

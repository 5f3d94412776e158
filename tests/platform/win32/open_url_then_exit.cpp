// Clicks the link it is given and exits at once, the program's way.
#include "platform/win32/api/open_url.h"

int main(int argc, char *argv[])
{
    if (argc == 2)
        Win32::openUrl(argv[1]);
    Win32::endProcess(argc == 2 ? 0 : 2);
}

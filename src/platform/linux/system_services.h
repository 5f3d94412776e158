#pragma once

// The services that main() takes from this system: on Linux Qt's own opener of addresses, and the
// System Information lookup's registry, file test and program start.

#include "linux_file_test.h"
#include "linux_program_starter.h"
#include "linux_registry.h"
#include "platform/url_opener.h"

using SystemUrlOpener = QtUrlOpener;
using SystemRegistry = LinuxRegistry;
using SystemFileTest = LinuxFileTest;
using SystemProgramStarter = LinuxProgramStarter;

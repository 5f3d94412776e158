#pragma once

// The services that main() takes from this system: on Windows the shell's own, called directly.

#include "platform/url_opener.h"
#include "platform/win32/api/win32_file_test.h"
#include "platform/win32/api/win32_program_starter.h"
#include "platform/win32/api/win32_registry.h"

class ShellUrlOpener final : public UrlOpener
{
public:
    void open(const QString &url, QWidget *window) override;
};

using SystemUrlOpener = ShellUrlOpener;
using SystemRegistry = Win32Registry;
using SystemFileTest = Win32FileTest;
using SystemProgramStarter = Win32ProgramStarter;

#pragma once

class MainWindow;
struct SecondaryWindows;
struct Services;
class UrlOpener;
struct SysInfoServices;

// Tells each secondary window's slot how to create its window.
void installWindowFactories(SecondaryWindows &windows, Services &services, UrlOpener &urls,
    SysInfoServices &sysInfo, MainWindow &mainWindow);

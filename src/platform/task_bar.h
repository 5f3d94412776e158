#pragma once

class QWidget;

// Keeps a top-level window without a task-bar button (and out of the pager and window switcher
// where the desktop has them). Call it before the window is first shown, after its flags are set:
// on Windows a tool window becomes a dialog, which a hidden owner keeps off the bar instead.
void keepOutOfTaskBar(QWidget *window);

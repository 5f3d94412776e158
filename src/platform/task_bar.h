#pragma once

class QWidget;

// Keeps a top-level window without a task-bar button (and out of the pager and window switcher
// where the desktop has them). Call it before the window is first shown.
void keepOutOfTaskBar(QWidget *window);

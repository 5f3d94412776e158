#pragma once

#include <functional>

class QObject;

// Runs `then` in `context`'s thread, through the event loop, once `watched` has been exposed for
// the first time: by then its first frame has been drawn and flushed. `watched` is a window, or
// the application for whichever window comes first. Work that no first frame shows waits here
// instead of delaying it; it is dropped when `context` or `watched` goes first.
void afterFirstFrame(QObject *watched, QObject *context, std::function<void()> then);

#pragma once

#include <QString>

class QWidget;

// Opens a web address in the user's browser. A failure stays silent: the links are a courtesy,
// and the shell or the browser says more about a failure than the program could.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // `window` is the window whose link was clicked. The call never waits for the browser.
    virtual void open(const QString &url, QWidget *window) = 0;
};

class QtUrlOpener final : public UrlOpener
{
public:
    void open(const QString &url, QWidget *window) override;
};

#pragma once

#include "platform/url_opener.h"

#include <QPointer>
#include <QWidget>
#include <vector>

// Records the addresses the windows hand to the browser, and from which window.
class FakeUrlOpener final : public UrlOpener
{
public:
    struct Opened
    {
        QString url;
        QPointer<QWidget> window;
    };

    void open(const QString &url, QWidget *window) override { opened.push_back({ url, window }); }

    std::vector<Opened> opened;
};

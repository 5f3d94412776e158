#pragma once

#include "logic/banner_letters.h"

#include <QFont>
#include <QString>
#include <functional>

// The faces the welcome window draws with. Looked up only when the window is built, so a normal
// start never touches the font database for them.
namespace WelcomeFonts {

struct BannerFace
{
    QString family;
    bool bold;
};

// The design's decorative face where it is installed, else a freely licensed display face of the
// same weight class, else bold Arial so that the first row still reads as a headline.
BannerFace chooseBannerFace(const std::function<bool(const QString &)> &isInstalled);

QFont letterFont(Banner::Face face, const BannerFace &bannerFace);

} // namespace WelcomeFonts

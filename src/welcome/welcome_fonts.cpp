#include "welcome_fonts.h"

#include "controls/design_style.h"

#include <QStringList>

WelcomeFonts::BannerFace WelcomeFonts::chooseBannerFace(
    const std::function<bool(const QString &)> &isInstalled)
{
    // Rampart One (SIL Open Font License) is a heavy block face with an outline shadow, the
    // closest freely licensed match in Debian for a bold decorative capital banner.
    for (const QString &family : { QStringLiteral("Algerian"), QStringLiteral("Rampart One") }) {
        if (isInstalled(family))
            return { family, false };
    }
    return { QStringLiteral("Arial"), true };
}

QFont WelcomeFonts::letterFont(Banner::Face face, const BannerFace &bannerFace)
{
    if (face != Banner::Face::Decorative)
        return DesignStyle::arial(Banner::pointSize(face));
    QFont font = DesignStyle::arial(Banner::pointSize(face), bannerFace.bold);
    font.setFamilies({ bannerFace.family, QStringLiteral("Liberation Sans") });
    return font;
}

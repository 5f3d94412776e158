#include "qt_printers.h"
#include "statusbar/panel_mask.h"

#include <gtest/gtest.h>

namespace {

using PanelMask::Visibility;

constexpr Visibility allShown { true, true, true, true, true };

struct MaskCase
{
    const char *mask;
    bool usable;
    Visibility visible;
};

TEST(PanelMask, FiveCharacterMaskDecidesEachPanelAndAnyOtherLengthShowsAll)
{
    const MaskCase cases[] = {
        { "11111", true, allShown },
        { "00000", true, { false, false, false, false, false } },
        // Element i is panel i + 2: panels 3 and 6 hidden.
        { "10110", true, { true, false, true, true, false } },
        { "01111", true, { false, true, true, true, true } },
        { "11110", true, { true, true, true, true, false } },
        // Only "0" hides; anything else, a blank included, leaves the panel shown.
        { "x0 1a", true, { true, false, true, true, true } },
        { "", false, allShown },
        { "0", false, allShown },
        { "0000", false, allShown },
        { "000000", false, allShown },
        { "1011", false, allShown },
        { "101101", false, allShown },
    };
    for (const MaskCase &c : cases) {
        SCOPED_TRACE(c.mask);
        const QString mask = QString::fromLatin1(c.mask);
        EXPECT_EQ(PanelMask::isUsable(mask), c.usable);
        EXPECT_EQ(PanelMask::visibility(mask), c.visible);
    }
}

TEST(PanelMask, BuildWritesOneForShownAndZeroForHidden)
{
    EXPECT_EQ(PanelMask::build(allShown), QStringLiteral("11111"));
    EXPECT_EQ(PanelMask::build({ false, false, false, false, false }), QStringLiteral("00000"));
    EXPECT_EQ(PanelMask::build({ true, false, true, true, false }), QStringLiteral("10110"));
}

TEST(PanelMask, EveryMaskOfZerosAndOnesSurvivesReadingAndBuilding)
{
    for (int bits = 0; bits < 32; ++bits) {
        QString mask;
        for (int i = 0; i < PanelMask::panelCount; ++i)
            mask += (bits >> i) & 1 ? u'1' : u'0';
        SCOPED_TRACE(mask.toStdString());
        EXPECT_EQ(PanelMask::build(PanelMask::visibility(mask)), mask);
    }
}

} // namespace

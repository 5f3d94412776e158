#pragma once

// The About window's logo gliding up and down its left edge, one step a tick. The position stays
// in single-precision twips, as the design computes it: rounding each step to whole pixels would
// turn 10 twips (two thirds of a pixel) into a full pixel and move the logo half as fast again.
class IconMotion
{
public:
    static constexpr float stepTwips = 10.0f;
    static constexpr float upperTurnTwips = 4750.0f;
    static constexpr float lowerTurnTwips = 500.0f;

    // The logo starts at its design position, moving down.
    explicit IconMotion(float topTwips = lowerTurnTwips)
        : m_top(topTwips)
    { }

    float topTwips() const { return m_top; }
    bool movingDown() const { return m_movingDown; }

    // One tick: move by a step, then turn at or past either bound.
    void advance();

private:
    float m_top;
    bool m_movingDown = true;
};

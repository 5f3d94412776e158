#include "icon_motion.h"

void IconMotion::advance()
{
    m_top = m_movingDown ? m_top + stepTwips : m_top - stepTwips;
    if (m_top >= upperTurnTwips)
        m_movingDown = false;
    else if (m_top <= lowerTurnTwips)
        m_movingDown = true;
}

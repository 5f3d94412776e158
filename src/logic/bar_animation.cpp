#include "bar_animation.h"

void BarAnimation::startShown()
{
    m_height += shownBarHeight - hiddenBarHeight;
    m_wanted = true;
    m_barVisible = true;
}

void BarAnimation::setWanted(bool shown)
{
    m_wanted = shown;
    if (!shown)
        m_barVisible = false;
    if (m_phase == Phase::Still)
        m_phase = shown ? Phase::Growing : Phase::Shrinking;
}

void BarAnimation::growTick()
{
    if (m_height < shownBarHeight) {
        m_height += step;
        return;
    }
    m_phase = m_wanted ? Phase::Still : Phase::Shrinking;
    m_barVisible = m_wanted;
}

void BarAnimation::shrinkTick()
{
    if (m_height > hiddenBarHeight) {
        m_height -= step;
        return;
    }
    m_phase = m_wanted ? Phase::Growing : Phase::Still;
}

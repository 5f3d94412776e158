#pragma once

#include "controls/label.h"

#include <functional>

// A link or arrow label of the About windows. Every pointer move over one shows its hover look:
// a link is underlined under the hand cursor, an arrow grows to 12 pt and turns red. The move
// stops at the label, so the window does not take it for a move over its bare surface, which is
// the only place where the look is put back (resetHover()).
class HoverLabel : public Label
{
    Q_OBJECT

public:
    enum class Kind { Link, Arrow };

    HoverLabel(Kind kind, const QString &designName, const QString &caption, QWidget *parent);

    Kind kind() const { return m_kind; }

    void setClickHandler(std::function<void()> handler) { m_click = std::move(handler); }
    void click();

    void resetHover();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void hover();
    void setPointSize(double pointSize);
    void setUnderline(bool underline);

    Kind m_kind;
    std::function<void()> m_click;
    bool m_pressed = false;
};

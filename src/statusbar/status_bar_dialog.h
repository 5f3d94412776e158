#pragma once

#include "controls/form.h"

#include <array>

class PanelVisibility;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

// The Customize Status Bar dialog: one check box per status-bar panel 2 to 6, and "Show All" and
// "Hide All". Every change reaches the bar at once; the panels themselves are the only state, so
// the dialog reads them afresh each time it is created.
//
// Controls by objectName: Frame1, the check-box array Check1 as Check1_0 .. Check1_4 (box k
// belongs to panel k + 2 and also carries k in its "index" property), Option1 ("Show All"),
// Option2 ("Hide All") and Close.
//
// Setting a box from code runs that box's click handler, selecting an option button from code
// runs its click handler, and clearing one runs nothing, as on the platform the dialog was
// designed for; the handlers nest accordingly and still end with every box matching its panel.
class Status_Bar_Dialog : public Form
{
    Q_OBJECT

public:
    explicit Status_Bar_Dialog(PanelVisibility &panels, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void Form_Load();
    void Check1_Click(int index);
    void Option1_Click();
    void Option2_Click();
    void Close_Click();

    PanelVisibility &m_panels;

    QGroupBox *Frame1 = nullptr;
    std::array<QCheckBox *, 5> Check1 {};
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QPushButton *Close = nullptr;
};

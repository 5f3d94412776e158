#pragma once

#include "controls/form.h"

#include <array>

class HighContrast;
class PanelVisibility;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

// The Customize Status Bar dialog: one check box per status-bar panel 2 to 6, and "Show All" and
// "Hide All". Every change reaches the bar at once; the panels themselves are the only state, so
// the dialog reads them afresh each time it is created.
//
// Design names (the objectNames) and the members that hold them:
//   Status_Bar_Dialog       this dialog
//   Frame1                  m_contentsFrame
//   Check1_0 .. Check1_4    m_panelBoxes: box k belongs to panel k + 2 and carries k in "index"
//   Option1                 m_showAll ("Show All")
//   Option2                 m_hideAll ("Hide All")
//   Close                   m_closeButton
//
// Setting a box from code runs that box's click handler, selecting an option button from code
// runs its click handler, and clearing one runs nothing: the handlers nest accordingly and still
// end with every box matching its panel.
class StatusBarDialog : public Form
{
    Q_OBJECT

public:
    StatusBarDialog(PanelVisibility &panels, HighContrast &highContrast, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void showPanels();
    void onPanelBoxClicked(int index);
    void onShowAllClicked();
    void onHideAllClicked();
    void onCloseClicked();

    PanelVisibility &m_panels;

    QGroupBox *m_contentsFrame = nullptr;
    std::array<QCheckBox *, 5> m_panelBoxes {};
    QRadioButton *m_showAll = nullptr;
    QRadioButton *m_hideAll = nullptr;
    QPushButton *m_closeButton = nullptr;
};

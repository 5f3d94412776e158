#include "status_bar_dialog.h"

#include "controls/design_style.h"
#include "controls/pressable_accessible.h"
#include "controls/twips.h"
#include "panel_mask.h"
#include "panel_visibility.h"
#include "panels.h"
#include "platform/task_bar.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QColor lavender(192, 192, 255);

template<typename Control>
Control *makeControl(const char *designName, const QString &caption, QWidget *parent)
{
    auto *control = new Control(caption, parent);
    control->setObjectName(QLatin1String(designName));
    control->setAccessibleName(QString(caption).remove(u'&'));
    return control;
}

// A click anywhere in the box's designed area counts, not only on its mark and caption.
class CheckBox final : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

// An option button that the user can select but not clear: only selecting the other one of the
// pair, or code, clears it. Not auto-exclusive, so that code can leave both clear.
class OptionButton final : public QRadioButton
{
    // Qt picks a control's screen-reader view by the name of its class; under the radio button's
    // name, Qt's own view would claim it before ours is asked.
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
    void nextCheckState() override { setChecked(true); }
};

// Qt reads a radio button outside an exclusive group as a check box.
QAccessibleInterface *accessibleOptionButton(const QString &, QObject *object)
{
    auto *option = qobject_cast<OptionButton *>(object);
    if (!option)
        return nullptr;
    return new PressableAccessible(option, QAccessible::RadioButton, [option] { option->click(); });
}

} // namespace

StatusBarDialog::StatusBarDialog(
    PanelVisibility &panels, HighContrast &highContrast, QWidget *parent)
    : Form(QStringLiteral("Status_Bar_Dialog"), parent, Kind::Dialog)
    , m_panels(panels)
{
    static const bool factoryInstalled
        = (QAccessible::installFactory(accessibleOptionButton), true);
    Q_UNUSED(factoryInstalled);
    setWindowTitle(QStringLiteral("Customize Status Bar"));
    // No minimise or maximise button. Some window managers (openbox) offer Minimise whatever the
    // hints say; the main window then brings the dialog back restored.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    keepOutOfTaskBar(this);
    setFixedSize(Twips::toPixels(5550), Twips::toPixels(5355));
    DesignStyle::setColours(this,
        { { QPalette::Window, lavender }, { QPalette::WindowText, DesignStyle::systemText } });
    setAutoFillBackground(true);
    createControls();
    DesignStyle::followHighContrast(this, highContrast);
    showPanels();
}

void StatusBarDialog::createControls()
{
    m_closeButton = makeControl<QPushButton>("Close", QStringLiteral("C&lose"), this);
    m_closeButton->setFont(DesignStyle::arial(9.75));
    m_closeButton->setDefault(true);
    Twips::place(m_closeButton, 3600, 4440, 1455, 375);
    connect(m_closeButton, &QPushButton::clicked, this, &StatusBarDialog::onCloseClicked);

    m_contentsFrame = makeControl<QGroupBox>("Frame1", QStringLiteral("Show/Hide Contents"), this);
    m_contentsFrame->setFont(DesignStyle::arial(8.25));
    // The frame's caption is white; what it holds has the text colour of the rest.
    DesignStyle::setColours(
        m_contentsFrame, { { QPalette::Window, lavender }, { QPalette::WindowText, Qt::white } });
    Twips::place(m_contentsFrame, 480, 480, 4575, 3500);

    for (int k = 0; k < PanelMask::panelCount; ++k) {
        const Panels::Row &panel = Panels::at(PanelMask::firstPanel + k);
        QCheckBox *box = makeControl<CheckBox>(
            panel.boxDesignName, QLatin1String(panel.boxCaption), m_contentsFrame);
        box->setProperty("index", k);
        Twips::place(box, 300, 500 + 500 * k, 2000, 495);
        m_panelBoxes[k] = box;
        connect(box, &QCheckBox::toggled, this, [this, k] { onPanelBoxClicked(k); });
    }
    m_showAll = makeControl<OptionButton>("Option1", QStringLiteral("&Show All"), m_contentsFrame);
    m_hideAll = makeControl<OptionButton>("Option2", QStringLiteral("&Hide All"), m_contentsFrame);
    Twips::place(m_showAll, 3000, 500, 1215, 495);
    Twips::place(m_hideAll, 3000, 1000, 1215, 495);
    // The two make one group: selecting one clears the other, and only selecting runs a click.
    for (QRadioButton *option : { m_showAll, m_hideAll }) {
        option->setAutoExclusive(false);
        connect(option, &QRadioButton::toggled, this, [this, option](bool selected) {
            if (!selected)
                return;
            (option == m_showAll ? m_hideAll : m_showAll)->setChecked(false);
            if (option == m_showAll)
                onShowAllClicked();
            else
                onHideAllClicked();
        });
    }
    for (QWidget *control : m_contentsFrame->findChildren<QWidget *>()) {
        control->setFont(DesignStyle::arial(9));
        DesignStyle::setColours(control,
            { { QPalette::Window, lavender }, { QPalette::WindowText, DesignStyle::systemText } });
    }

    // Close first, then the frame's controls in the order they were made: the boxes, the options.
    QWidget *previous = m_closeButton;
    for (QWidget *next : m_contentsFrame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        setTabOrder(previous, next);
        previous = next;
    }
    m_closeButton->setFocus(Qt::OtherFocusReason);
}

void StatusBarDialog::showPanels()
{
    bool anyShown = false;
    bool anyHidden = false;
    for (int p = PanelMask::firstPanel; p < PanelMask::firstPanel + PanelMask::panelCount; ++p) {
        if (m_panels.isPanelShown(p)) {
            m_panelBoxes[p - PanelMask::firstPanel]->setChecked(true);
            anyShown = true;
        } else {
            anyHidden = true;
        }
    }
    if (!anyHidden)
        m_showAll->setChecked(true);
    if (!anyShown)
        m_hideAll->setChecked(true);
}

void StatusBarDialog::onPanelBoxClicked(int index)
{
    m_panels.setPanelShown(index + PanelMask::firstPanel, m_panelBoxes[index]->isChecked());
    // Read afresh on every click rather than kept between them: the option handlers set boxes and
    // so run this handler nested inside another call of it.
    bool anyTicked = false;
    bool anyClear = false;
    for (const QCheckBox *box : m_panelBoxes) {
        if (box->isChecked())
            anyTicked = true;
        else
            anyClear = true;
    }
    m_showAll->setChecked(!anyClear);
    m_hideAll->setChecked(!anyTicked);
}

void StatusBarDialog::onShowAllClicked()
{
    for (int k = 0; k < PanelMask::panelCount; ++k) {
        m_panelBoxes[k]->setChecked(true);
        m_panels.setPanelShown(k + PanelMask::firstPanel, true);
    }
}

void StatusBarDialog::onHideAllClicked()
{
    for (int k = 0; k < PanelMask::panelCount; ++k) {
        m_panelBoxes[k]->setChecked(false);
        m_panels.setPanelShown(k + PanelMask::firstPanel, false);
    }
}

void StatusBarDialog::onCloseClicked()
{
    unload();
}

// Close is both the default and the cancel button; outside a QDialog Qt gives neither.
void StatusBarDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            onCloseClicked();
            return;
        }
        break;
    default:
        break;
    }
    Form::keyPressEvent(event);
}

#include "status_bar_dialog.moc"

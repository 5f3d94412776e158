#include "find_control.h"
#include "platform/high_contrast.h"
#include "statusbar/panel_visibility.h"
#include "statusbar/panels.h"
#include "statusbar/status_bar_dialog.h"

#include <QAccessible>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <array>
#include <vector>

namespace {

// Panels 2 to 6 as a list of shown flags, with the order in which they were changed.
class RecordingPanels final : public PanelVisibility
{
public:
    explicit RecordingPanels(const QString &shown)
    {
        for (int i = 0; i < 5; ++i)
            m_shown[i] = shown.at(i) == u'1';
    }

    bool isPanelShown(int index) const override { return m_shown.at(index - 2); }
    void setPanelShown(int index, bool shown) override
    {
        if (m_shown.at(index - 2) != shown)
            changes.push_back(shown ? index : -index);
        m_shown.at(index - 2) = shown;
    }

    QString state() const
    {
        QString text;
        for (const bool shown : m_shown)
            text += shown ? u'1' : u'0';
        return text;
    }

    std::vector<int> changes; // +index shown, -index hidden

private:
    std::array<bool, 5> m_shown {};
};

QString boxName(int k)
{
    return QStringLiteral("Check1_%1").arg(k);
}

QString optionName(int n)
{
    return QStringLiteral("Option%1").arg(n);
}

// One open dialog over the given panels. A box or option that is missing fails the calling test
// and reads as clear.
struct Open
{
    explicit Open(const QString &shown)
        : panels(shown)
        , dialog(new StatusBarDialog(panels, highContrast))
    {
        dialog->show();
    }
    ~Open() { delete dialog.data(); }

    bool boxChecked(int k) const
    {
        const QCheckBox *box = findControl<QCheckBox>(dialog, boxName(k));
        return box && box->isChecked();
    }
    bool optionSelected(int n) const
    {
        const QRadioButton *option = findControl<QRadioButton>(dialog, optionName(n));
        return option && option->isChecked();
    }
    QString boxes() const
    {
        QString text;
        for (int k = 0; k < 5; ++k)
            text += boxChecked(k) ? u'1' : u'0';
        return text;
    }
    QString options() const
    {
        return QStringLiteral("%1%2").arg(optionSelected(1)).arg(optionSelected(2));
    }

    RecordingPanels panels;
    PaletteHighContrast highContrast;
    QPointer<StatusBarDialog> dialog;
};

} // namespace

class StatusBarDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Options as two characters: "Show All" selected, then "Hide All".
    void opensWithTheBoxesAndOptionsOfThePanels_data()
    {
        QTest::addColumn<QString>("panels");
        QTest::addColumn<QString>("options");
        QTest::newRow("all shown") << "11111"
                                   << "10";
        QTest::newRow("all hidden") << "00000"
                                    << "01";
        QTest::newRow("mixed") << "10110"
                               << "00";
    }

    void opensWithTheBoxesAndOptionsOfThePanels()
    {
        QFETCH(QString, panels);
        QFETCH(QString, options);
        Open open(panels);
        QCOMPARE(open.boxes(), panels);
        QCOMPARE(open.options(), options);
        QVERIFY(open.panels.changes.empty()); // opening changes no panel
    }

    void boxClickShowsOrHidesItsPanelAndSetsTheOptions_data()
    {
        QTest::addColumn<QString>("panels");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("options");
        QTest::newRow("clearing the last ticked box selects Hide All") << "00100" << 2 << "00000"
                                                                       << "01";
        QTest::newRow("ticking the last clear box selects Show All") << "11011" << 2 << "11111"
                                                                     << "10";
        QTest::newRow("leaving all shown clears Show All") << "11111" << 0 << "01111"
                                                           << "00";
        QTest::newRow("leaving all hidden clears Hide All") << "00000" << 4 << "00001"
                                                            << "00";
        QTest::newRow("mixed stays mixed") << "10110" << 1 << "11110"
                                           << "00";
    }

    void boxClickShowsOrHidesItsPanelAndSetsTheOptions()
    {
        QFETCH(QString, panels);
        QFETCH(int, box);
        QFETCH(QString, after);
        QFETCH(QString, options);
        Open open(panels);
        CONTROL(QCheckBox, clicked, open.dialog, boxName(box));
        // Right of its caption: the whole box answers a click, as on the design's platform.
        QTest::mouseClick(clicked, Qt::LeftButton, {}, clicked->rect().topRight());
        QCOMPARE(open.panels.state(), after);
        QCOMPARE(open.boxes(), after);
        QCOMPARE(open.options(), options);
        QCOMPARE(open.panels.changes.size(), size_t(1));
    }

    // The clicks nest (each box set runs its own click, which may select an option and run its
    // click in turn); the end state and the order of the panels' changes must not show it.
    void showAllAndHideAllSetEveryPanelInOrder_data()
    {
        QTest::addColumn<QString>("panels");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("options");
        QTest::addColumn<std::vector<int>>("changes");
        QTest::newRow("Show All from none") << "00000" << 1 << "11111"
                                            << "10" << std::vector<int> { 2, 3, 4, 5, 6 };
        QTest::newRow("Show All from mixed") << "10110" << 1 << "11111"
                                             << "10" << std::vector<int> { 3, 6 };
        QTest::newRow("Hide All from all") << "11111" << 2 << "00000"
                                           << "01" << std::vector<int> { -2, -3, -4, -5, -6 };
        QTest::newRow("Hide All from mixed") << "01001" << 2 << "00000"
                                             << "01" << std::vector<int> { -3, -6 };
        // Not an exclusive pair, since the mixed state clears both; yet a click never clears one.
        QTest::newRow("Show All again stays selected") << "11111" << 1 << "11111"
                                                       << "10" << std::vector<int> {};
    }

    void showAllAndHideAllSetEveryPanelInOrder()
    {
        QFETCH(QString, panels);
        QFETCH(int, option);
        QFETCH(QString, after);
        QFETCH(QString, options);
        QFETCH(std::vector<int>, changes);
        Open open(panels);
        CONTROL(QRadioButton, clicked, open.dialog, optionName(option));
        QTest::mouseClick(clicked, Qt::LeftButton);
        QCOMPARE(open.panels.state(), after);
        QCOMPARE(open.boxes(), after);
        QCOMPARE(open.options(), options);
        QCOMPARE(open.panels.changes, changes);
    }

    void enterAndEscapeClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::newRow("Enter on Close") << int(Qt::Key_Return) << "Close";
        QTest::newRow("Enter on a box") << int(Qt::Key_Return) << "Check1_2";
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "Option1";
        QTest::newRow("Escape on a box") << int(Qt::Key_Escape) << "Check1_0";
    }

    void enterAndEscapeClose()
    {
        QFETCH(int, key);
        QFETCH(QString, focus);
        Open open(QStringLiteral("10110"));
        QVERIFY(QTest::qWaitForWindowActive(open.dialog));
        CONTROL(QWidget, Close, open.dialog, "Close");
        QCOMPARE(open.dialog->focusWidget(), Close);
        CONTROL(QWidget, focused, open.dialog, focus);
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key(key));
        QVERIFY(open.dialog->isUnloaded());
        QTRY_VERIFY(open.dialog.isNull()); // destroyed, so the next open is a fresh one
        QCOMPARE(open.panels.state(), QStringLiteral("10110"));
    }

    // A screen reader hears the dialog as a dialog by its title, and each control by its caption
    // in its role, checked or not.
    void controlsKeepTheirDesignNamesAndCaptionsAsNames()
    {
        Open open(QStringLiteral("01111"));
        QCOMPARE(open.dialog->windowTitle(), QStringLiteral("Customize Status Bar"));
        QAccessibleInterface *dialog = QAccessible::queryAccessibleInterface(open.dialog);
        QCOMPARE(dialog->role(), QAccessible::Dialog);
        QCOMPARE(dialog->text(QAccessible::Name), QStringLiteral("Customize Status Bar"));
        const std::tuple<const char *, QAccessible::Role, bool> states[] = {
            { "Check1_0", QAccessible::CheckBox, false },
            { "Check1_1", QAccessible::CheckBox, true },
            { "Option1", QAccessible::RadioButton, false },
        };
        for (const auto &[name, role, checked] : states) {
            CONTROL(QWidget, control, open.dialog, QLatin1String(name));
            QAccessibleInterface *read = QAccessible::queryAccessibleInterface(control);
            QCOMPARE(read->role(), role);
            QVERIFY(read->state().checkable);
            QCOMPARE(bool(read->state().checked), checked);
        }
        const std::pair<const char *, const char *> controls[] = {
            { "Frame1", "Show/Hide Contents" },
            { "Option1", "Show All" },
            { "Option2", "Hide All" },
            { "Close", "Close" },
        };
        for (const auto &[name, caption] : controls) {
            CONTROL(QWidget, control, open.dialog, QLatin1String(name));
            QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name),
                QLatin1String(caption));
        }
        // A box a panel that can be hidden, named by the panels' table, read without its mnemonic.
        for (int k = 0; k < Panels::hideableCount; ++k) {
            const Panels::Row &panel = Panels::at(Panels::firstHideable + k);
            CONTROL(QCheckBox, box, open.dialog, QLatin1String(panel.boxDesignName));
            QCOMPARE(box->property("index").toInt(), k);
            QCOMPARE(box->text(), QLatin1String(panel.boxCaption));
            QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name),
                QString::fromLatin1(panel.boxCaption).remove(u'&'));
        }
    }
};

QTEST_MAIN(StatusBarDialogTest)
#include "status_bar_dialog_test.moc"

#include "platform/message_box.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>
#include <QtTest>

// The real message box, closed by the test once it is up.
class MessageBoxTest : public QObject
{
    Q_OBJECT

private:
    QString m_title;
    QString m_shownText;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    Qt::TextFormat m_format = Qt::AutoText;
    QRect m_geometry;

    void showAndClose(
        const QString &text, const QString &title, MessageBox::Icon icon, QWidget *owner = nullptr)
    {
        QTimer::singleShot(0, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            m_title = box->windowTitle();
            m_shownText = box->text();
            m_icon = box->icon();
            m_format = box->textFormat();
            m_geometry = box->geometry();
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            box->accept();
        });
        QtMessageBox().show(owner, text, title, icon);
    }

private Q_SLOTS:
    void callerWithoutTitleGetsTheApplicationTitle()
    {
        showAndClose(QStringLiteral("System Information Is Unavailable At This Time"), QString(),
            MessageBox::Icon::None);
        QCOMPARE(m_title, QStringLiteral("Glyphorbitaloscopex"));
        QCOMPARE(m_icon, QMessageBox::NoIcon);
    }

    void titleAndIconAreTheCallers()
    {
        showAndClose(
            QStringLiteral("x"), QStringLiteral("Reinstall"), MessageBox::Icon::Information);
        QCOMPARE(m_title, QStringLiteral("Reinstall"));
        QCOMPARE(m_icon, QMessageBox::Information);
        showAndClose(QStringLiteral("x"), QStringLiteral("Error"), MessageBox::Icon::Critical);
        QCOMPARE(m_icon, QMessageBox::Critical);
    }

    void boxFitsItsTitleAndOpensOverItsOwner()
    {
        QWidget owner; // 640 x 480 at the top left, away from the middle of the screen
        showAndClose(QStringLiteral("15:09:26"), QStringLiteral("Time"), {}, &owner);
        const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
        const int bar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
        QVERIFY(m_geometry.width() >= title.horizontalAdvance("Time") + 2 * 3 * bar);
        // Within the rounding of two half frames, where the platform gives windows one.
        QVERIFY((m_geometry.center() - owner.geometry().center()).manhattanLength() <= 2);
    }

    // Messages quote damaged settings files, which must never be taken as markup.
    void textIsShownLiterally()
    {
        const QString quoted = QStringLiteral("holds \"<b>x</b><img src=a>\"");
        showAndClose(quoted, QStringLiteral("Error"), MessageBox::Icon::Critical);
        QCOMPARE(m_format, Qt::PlainText);
        QCOMPARE(m_shownText, quoted);
    }
};

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"

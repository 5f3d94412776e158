#include <QtTest>
class T : public QObject
{
    Q_OBJECT
};
QTEST_MAIN(T)
#include "frm_main_test.moc"

// The floor the program is measured against: a plain Qt Widgets window of the main window's shape
// and size (menu bar, three line edits, two labels, a button, a status bar), with the main
// window's fonts so that both load and render the same faces, and nothing else. It keeps Qt's
// defaults everywhere else, so whatever the program costs beyond it is the program's own doing.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace {

// Geometry of the main window at 96 dpi: the client area, the controls in it and the status bar.
constexpr QSize clientSize(674, 358);
constexpr int statusBarHeight = 20;

QFont arial(double pointSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

void addMenu(QMainWindow &window, const QString &title, const QStringList &items,
    const QList<QKeySequence> &shortcuts)
{
    QMenu *menu = window.menuBar()->addMenu(title);
    for (qsizetype i = 0; i < items.size(); ++i)
        menu->addAction(items[i])->setShortcut(shortcuts.value(i));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Reference"));
    addMenu(window, QStringLiteral("&Mode"),
        { QStringLiteral("&Character to ASCII"), QStringLiteral("A&SCII to Character") },
        { QKeySequence(Qt::CTRL | Qt::Key_F1), QKeySequence(Qt::CTRL | Qt::Key_F2) });
    addMenu(window, QStringLiteral("&View"), { QStringLiteral("S&tatus Bar") }, {});
    addMenu(window, QStringLiteral("&About"), { QStringLiteral("&About") },
        { QKeySequence(Qt::CTRL | Qt::Key_D) });

    auto *client = new QWidget(&window);
    client->setFixedSize(clientSize);
    client->setFont(arial(9.75));
    window.setCentralWidget(client);

    const QFont large = arial(20.25);
    // Two input boxes share a place, of which the main window shows one at a time.
    const QRect boxes[] = { { 336, 64, 273, 41 }, { 336, 64, 273, 41 }, { 336, 160, 273, 41 } };
    for (const QRect &place : boxes) {
        auto *box = new QLineEdit(client);
        box->setFont(large);
        box->setGeometry(place);
        box->setHidden(&place == &boxes[1]);
    }

    const std::pair<const char *, QRect> labels[] = { { "Enter Character", { 64, 69, 209, 33 } },
        { "ASCII Value is", { 64, 166, 185, 33 } } };
    for (const auto &[text, place] : labels) {
        auto *label = new QLabel(QString::fromLatin1(text), client);
        label->setFont(large);
        label->setGeometry(place);
    }
    (new QPushButton(QStringLiteral("E&xit"), client))->setGeometry(504, 264, 105, 25);

    window.statusBar()->setFixedHeight(statusBarHeight);
    window.statusBar()->setSizeGripEnabled(false);
    window.show();
    return QApplication::exec();
}

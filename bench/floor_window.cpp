// The floor of start-up: the cheapest Qt Widgets program of the game window's shape.
// A main window with a menu bar of two menus, a frame of 81 single-line text boxes, a
// label and a 336 x 288 picture, laid out as the game lays out its window at start-up
// (the frame and the label hidden, the picture shown). The picture is filled in code, so
// no image format plugin is loaded; nothing else is set up.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

namespace {
constexpr int ClientWidth = 409;
constexpr int ClientHeight = 365;
} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("floor"));
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"))->setShortcut(Qt::Key_F2);
    file->addAction(QStringLiteral("F&inish"))->setShortcut(Qt::Key_F4);
    file->addSeparator();
    file->addAction(QStringLiteral("Change &Language"));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"))->setShortcut(Qt::Key_F3);
    QMenu *about = window.menuBar()->addMenu(QStringLiteral("A&bout"));
    about->addAction(QStringLiteral("&About"));

    auto *client = new QWidget(&window);
    client->setFixedSize(ClientWidth, ClientHeight);
    window.setCentralWidget(client);

    auto *frame = new QFrame(client);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(8, 8, 393, 329);
    frame->setVisible(false);
    for (int i = 0; i < 81; ++i) {
        const int r = i / 9;
        const int c = i % 9;
        auto *cell = new QLineEdit(frame);
        cell->setGeometry(8 + 40 * c + 8 * (c / 3), 16 + 32 * r + 8 * (r / 3), 41, 33);
        cell->setEnabled(false);
    }

    QPixmap picture(336, 288);
    picture.fill(QColor(0x60, 0x30, 0x80));
    auto *image = new QLabel(client);
    image->setGeometry(40, 32, 336, 288);
    image->setPixmap(picture);

    auto *label = new QLabel(client);
    label->setGeometry(8, 344, 393, 17);
    label->setVisible(false);

    const int menuHeight = window.menuBar()->sizeHint().height();
    window.setFixedSize(ClientWidth, ClientHeight + menuHeight);
    window.move(10, 57 - menuHeight);
    window.show();
    return app.exec();
}

// The floor for the desktop program's start-up: a main window with a text box
// as its central widget, shown, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QTextEdit>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QTextEdit(&window));
    window.show();
    return app.exec();
}

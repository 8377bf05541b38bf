// The floor for resonex-cli's timings: a process that starts Qt's core
// application object and leaves.
#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    return app.arguments().isEmpty() ? 1 : 0;
}

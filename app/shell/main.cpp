#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Penlark"));
    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Penlark"));
    frame.resize(800, 600);
    frame.show();
    return app.exec();
}

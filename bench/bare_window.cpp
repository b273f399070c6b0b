// The baseline of the start-up benchmark: a bare Qt program that maps one borderless full-screen window.
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.setGeometry(app.primaryScreen()->geometry());
    window.show();
    return app.exec();
}

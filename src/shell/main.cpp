// The desktop program: an empty frame until the main window lands.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Trafikon");
    window.resize(1024, 700);
    window.show();
    return app.exec();
}

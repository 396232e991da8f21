#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vask32v1"));
    QMainWindow mainWindow;
    mainWindow.setWindowTitle(QStringLiteral("Image Vaskolen 32+"));
    mainWindow.resize(1024, 720);
    mainWindow.show();
    return application.exec();
}

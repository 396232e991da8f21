// Image Vaskolen 32+: clears the program-wide state, makes every window once in the fixed
// order and runs until the main window closes.
#include "shell/program_state.h"
#include "shell/startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Image Vaskolen 32"));
    // The frame metrics come from the style, so the state is cleared once the application
    // object exists and before any window does.
    vask::initialiseProgramState();
    vask::createProgramWindows();
    const int result = QApplication::exec();
    vask::destroyProgramWindows();
    return result;
}

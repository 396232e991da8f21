// The main of every window and control test program: one QApplication on the offscreen
// platform, and a settings folder of its own so no test reads or writes the user's file.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir settingsFolder;
    setenv("VASK32V1_CONFIG_DIR", settingsFolder.path().toLocal8Bit().constData(), 1);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vask32v1"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

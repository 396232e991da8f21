#pragma once

#include "controls/dialog_service.h"
#include "settings/settings_location.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/startup.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QTextStream>

#include <gtest/gtest.h>

namespace vask {

inline QString settingsPath()
{
    return QString::fromStdString(settingsFilePath());
}

inline QString settingsText()
{
    QFile file(settingsPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

inline void writeSettingsText(const QString& text)
{
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

inline QSize screenSize()
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

// A whole program start: the state cleared, every window made in order, message boxes
// answered by the test; everything freed again at the end.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(settingsPath());
        DialogService::instance().clearHistory();
        DialogService::instance().setResponder(answerAll(true));
    }
    void TearDown() override
    {
        stop();
        DialogService::instance().clearResponder();
        DialogService::instance().clearHistory();
    }
    void start()
    {
        initialiseProgramState();
        createProgramWindows();
        m_running = true;
    }
    void stop()
    {
        if (m_running)
            destroyProgramWindows();
        m_running = false;
    }
    ProgramWindows& windows() { return programWindows(); }

private:
    bool m_running = false;
};

} // namespace vask

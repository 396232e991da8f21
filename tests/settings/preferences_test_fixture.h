#pragma once

#include "controls/dialog_service.h"
#include "settings/fly_over_hints.h"
#include "settings/ini_file.h"
#include "settings/settings_location.h"
#include "shell/program_state.h"

#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace vask::test {

// Every preferences test starts from no settings file and no scripted answers, and leaves
// the program-wide switches as it found them.
class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(QString::fromStdString(settingsFilePath()));
        DialogService::instance().clearResponder();
        DialogService::instance().clearHistory();
        m_autoUndo = programState().AutoUndo;
    }
    void TearDown() override
    {
        DialogService::instance().clearResponder();
        DialogService::instance().clearHistory();
        programState().AutoUndo = m_autoUndo;
        setFlyOverHintsEnabled(true);
        QFile::remove(QString::fromStdString(settingsFilePath()));
    }

    static void writeSetting(const char* section, const char* key, const std::string& value)
    {
        IniFile(settingsFilePath()).WriteString(section, key, value);
    }

    // The file read independently of IniFile: "Section/Key" -> the line's text after "=".
    static QMap<QString, QString> fileLines()
    {
        QFile file(QString::fromStdString(settingsFilePath()));
        QMap<QString, QString> lines;
        if (!file.open(QIODevice::ReadOnly))
            return lines;
        QString section;
        const QStringList texts = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        for (const QString& text : texts) {
            if (text.startsWith(QLatin1Char('[')))
                section = text.mid(1, text.indexOf(QLatin1Char(']')) - 1);
            else if (text.contains(QLatin1Char('=')))
                lines.insert(section + QLatin1Char('/') + text.section(QLatin1Char('='), 0, 0),
                             text.section(QLatin1Char('='), 1));
        }
        return lines;
    }

private:
    bool m_autoUndo = true;
};

} // namespace vask::test

#pragma once

#include "controls/dialog_service.h"
#include "controls/form_widgets.h"
#include "settings/fly_over_hints.h"
#include "settings/ini_file.h"
#include "settings/preferences_dialog.h"
#include "settings/settings_location.h"
#include "shell/program_state.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vask::test {

inline std::string readBytes(const std::string& path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A folder of its own for one test, removed with everything in it afterwards.
struct ScratchFolder : QTemporaryDir {
    std::string file(const std::string& name) const { return path().toStdString() + "/" + name; }
    long entries() const { return std::distance(std::filesystem::directory_iterator(file(".")), {}); }
};

// Every preferences test starts and ends with no settings file, no scripted answers, hints on
// and the Auto Undo switch as it was.
class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_autoUndo = programState().AutoUndo;
        TearDown();
    }
    void TearDown() override
    {
        QFile::remove(QString::fromStdString(settingsFilePath()));
        DialogService::instance().clearResponder();
        DialogService::instance().clearHistory();
        programState().AutoUndo = m_autoUndo;
        setFlyOverHintsEnabled(true);
    }

    // The file read independently of IniFile: "Section/Key" -> the line's text after "=".
    static QMap<QString, QString> fileLines()
    {
        QMap<QString, QString> lines;
        QString section;
        for (const QString& text : QString::fromStdString(readBytes(settingsFilePath())).split('\n')) {
            if (text.startsWith('['))
                section = text.mid(1, text.indexOf(']') - 1);
            else if (text.contains('='))
                lines.insert(section + '/' + text.section('=', 0, 0), text.section('=', 1));
        }
        return lines;
    }

private:
    bool m_autoUndo = true;
};

} // namespace vask::test

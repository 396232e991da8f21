#pragma once

#include "controls/dialog_service.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "controls/program_cursors.h"
#include "engine/codecs/image_file.h"
#include "engine/image/create_image.h"
#include "imagewin/display_window.h"
#include "settings/ini_file.h"
#include "settings/preferences_dialog.h"
#include "settings/settings_location.h"
#include "shell/master_form.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/startup.h"
#include "shell/status_panel_bar.h"
#include "store/disk_control_dialog.h"
#include "store/image_load_save.h"
#include "tests/support/test_pictures.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>

#include <gtest/gtest.h>

#include <deque>

namespace vask {

inline QString settingsPath()
{
    return QString::fromStdString(settingsFilePath());
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes = "x")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

inline QSize screenSize()
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

inline QStringList itemTexts(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
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
    TKV_Masterform& master() { return *windows().KV_Masterform; }
    TRZ_DiskControl32V1& disk() { return *windows().RZ_DiskControl32V1; }
    TKV_Preferences32v1& preferences() { return *windows().KV_Preferences32v1; }
    QMdiArea* area() { return master().mdiArea(); }
    QString progressText() { return master().KV_MF_Statuspanel->panelText(4); }
    static QStringList messages() { return DialogService::instance().messageTexts(); }
    QStringList menuBarTitles()
    {
        QStringList titles;
        for (QAction* entry : master().KV_MainMenu->actions())
            titles << entry->text();
        return titles;
    }
    void expectIdle()
    {
        EXPECT_EQ(programState().CurrentMouseFunction, kNoFunction);
        EXPECT_EQ(progressText(), QStringLiteral("No Function"));
        EXPECT_EQ(applicationCursorIndex(), kDefaultCursor);
    }

private:
    bool m_running = false;
};

// A started program with a temporary folder for files and a scripted disk control dialog: each
// showing takes the next answer (the name the user ends with and OK or Cancel); with none
// left it is cancelled.
class ImageStore : public ProgramTest {
protected:
    struct Showing {
        QString caption; // the load or save mode
        bool previewEmpty;
    };

    void SetUp() override
    {
        ProgramTest::SetUp();
        m_folder = QString::fromStdString(test::makeTemporaryFolder());
        m_startFolder = QDir::currentPath();
        showDiskDialog = [this](TRZ_DiskControl32V1& dialog) {
            m_showings.push_back({dialog.windowTitle(), dialog.RZ_Preview_Image->Contents() == 0});
            if (m_answers.empty())
                return int(QDialog::Rejected);
            const auto [fileName, ok] = m_answers.front();
            m_answers.pop_front();
            dialog.setRememberedFileName(fileName);
            return int(ok ? QDialog::Accepted : QDialog::Rejected);
        };
        start();
        DialogService::instance().clearHistory();
    }
    void TearDown() override
    {
        showDiskDialog = execDiskDialog;
        ProgramTest::TearDown();
        QDir::setCurrent(m_startFolder);
        test::removeFolder(m_folder.toStdString());
    }

    QString path(const QString& name) const { return m_folder + QLatin1Char('/') + name; }
    void answer(const QString& fileName, bool ok = true) { m_answers.push_back({fileName, ok}); }
    qsizetype imageWindowCount() { return area()->subWindowList().size(); }
    QString lastFile() { return master().KV_MM_LastFile->text(); }
    QStringList imageCaptions()
    {
        QStringList captions;
        for (QMdiSubWindow* window : area()->subWindowList())
            captions << window->widget()->windowTitle();
        return captions;
    }
    QString saveFile(const Image& picture, const QString& name)
    {
        saveImageFile(picture, path(name).toStdString());
        return path(name);
    }
    QString pictureFile(const char* name, int depth = 24)
    {
        return saveFile(createImage(depth, 30, 20, Rgb{0xFF336699}), QString::fromLatin1(name));
    }
    // A new image window holding the picture; it becomes the active one.
    TKV_Display* showPicture(const Image& picture)
    {
        TKV_Display* window = CreateImageWindow();
        window->ChildPicbuf->setImage(picture);
        window->setWindowTitle(QStringLiteral("Picture"));
        return window;
    }

    QString m_folder;
    QString m_startFolder;
    std::deque<std::pair<QString, bool>> m_answers; // the name the user ends with, OK
    std::vector<Showing> m_showings;
};

} // namespace vask

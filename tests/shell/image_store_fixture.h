#pragma once

#include "program_fixture.h"

#include "controls/picbuf.h"
#include "controls/program_cursors.h"
#include "engine/codecs/image_file.h"
#include "imagewin/display_window.h"
#include "settings/preferences_dialog.h"
#include "shell/master_form.h"
#include "shell/status_panel_bar.h"
#include "store/disk_control_dialog.h"
#include "store/image_load_save.h"
#include "tests/support/test_pictures.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QMdiArea>

#include <deque>

namespace vask {

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A whole program with a temporary folder for files and a scripted disk control dialog: each
// showing takes the next answer (the name the user ends with and OK or Cancel); with none
// left it is cancelled.
class ImageStore : public ProgramTest {
protected:
    struct DiskAnswer {
        QString fileName;
        bool ok = true;
    };
    struct Showing {
        QString caption;
        bool jpgOptionsEnabled;
        bool fifOptionsEnabled;
        bool previewEmpty;
    };

    void SetUp() override
    {
        ProgramTest::SetUp();
        m_folder = QString::fromStdString(test::makeTemporaryFolder());
        m_startFolder = QDir::currentPath();
        showDiskDialog = [this](TRZ_DiskControl32V1& dialog) {
            m_showings.push_back({dialog.windowTitle(), dialog.RZ_JPG_Options->isEnabled(),
                                  dialog.RZ_Fractel_Options->isEnabled(),
                                  dialog.RZ_Preview_Image->Contents() == 0});
            if (m_answers.empty())
                return int(QDialog::Rejected);
            const DiskAnswer answer = m_answers.front();
            m_answers.pop_front();
            dialog.setRememberedFileName(answer.fileName);
            return int(answer.ok ? QDialog::Accepted : QDialog::Rejected);
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
    TRZ_DiskControl32V1& disk() { return *windows().RZ_DiskControl32V1; }
    TKV_Preferences32v1& preferences() { return *windows().KV_Preferences32v1; }
    TKV_Masterform& master() { return *windows().KV_Masterform; }
    qsizetype imageWindowCount() { return master().mdiArea()->subWindowList().size(); }
    QStringList messages() const { return DialogService::instance().messageTexts(); }
    QString lastFile() { return master().KV_MM_LastFile->text(); }
    QString progressText() { return master().KV_MF_Statuspanel->panelText(4); }

    void saveFile(const Image& picture, const QString& name)
    {
        saveImageFile(picture, path(name).toStdString());
    }
    // A new image window holding the picture; it becomes the active one.
    TKV_Display* showPicture(const Image& picture)
    {
        TKV_Display* window = CreateImageWindow();
        window->ChildPicbuf->setImage(picture);
        window->setWindowTitle(QStringLiteral("Picture"));
        return window;
    }
    void expectIdle()
    {
        EXPECT_EQ(progressText(), QStringLiteral("No Function"));
        EXPECT_EQ(applicationCursorIndex(), kDefaultCursor);
    }

    QString m_folder;
    QString m_startFolder;
    std::deque<DiskAnswer> m_answers;
    std::vector<Showing> m_showings;
};

} // namespace vask

#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;

namespace vask {

class SpinEdit;

// The program's one file dialog "Disk Control", used to open and to save images. Created
// once at start-up; its FileOptions settings are read when it is made and written at every
// close (never LastFileLoaded, which only the main window writes).
class TRZ_DiskControl32V1 : public QDialog {
    Q_OBJECT
public:
    explicit TRZ_DiskControl32V1(QWidget* parent = nullptr);

    QCheckBox* RZ_Preview = nullptr;
    QCheckBox* RZ_Commonpalette = nullptr;
    QGroupBox* RZ_JPG_Options = nullptr;
    SpinEdit* RZ_JPG_VALUE = nullptr;
    QComboBox* RZ_Write_Options = nullptr;
    QGroupBox* RZ_Fractel_Options = nullptr;
    QComboBox* RZ_FIF_Options = nullptr;
    QComboBox* RZ_FIF_Scale = nullptr;
    SpinEdit* RZ_FIF_Height = nullptr;
    SpinEdit* RZ_FIF_Width = nullptr;

    // The file name the dialog remembers: set by OK, Cancel and the set-last-file step.
    QString rememberedFileName() const { return m_rememberedFileName; }
    void setRememberedFileName(const QString& name) { m_rememberedFileName = name; }

    void FormCreate();
    void FormClose();

protected:
    void done(int result) override;

private:
    QString m_rememberedFileName;
};

// The default of LastFileLoaded: every file of the home folder.
QString defaultLastFileLoaded();

} // namespace vask

#pragma once

#include "controls/dialog_service.h"
#include "settings/fly_over_hints.h"

#include <QColor>
#include <QFrame>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace vask {

class IniFile;
class RadioGroup;
class SpinEdit;

// A Windows colour value holds red in the low byte: 0x00BBGGRR. 16776960 is aqua.
QColor colourFromWindowsValue(int value);
int windowsValueFromColour(const QColor& colour);

// A lowered panel showing one colour; a left click asks for another.
class BaseColourPanel : public QFrame {
    Q_OBJECT
public:
    explicit BaseColourPanel(QWidget* parent, const QString& name, const QString& hint);

    QColor colour() const { return m_colour; }
    void setColour(const QColor& colour);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor m_colour;
};

// "Preferences and Defaults": the program-wide defaults. Created once at start-up and kept;
// its controls are the live values other windows read. It is a tool window above the main
// window, never modal; closing it hides it and saves every value.
class TKV_Preferences32v1 : public QWidget {
    Q_OBJECT
public:
    explicit TKV_Preferences32v1(QWidget* parent = nullptr);

    static constexpr int kClientWidth = 491;
    static constexpr int kClientHeight = 413;
    static constexpr const char* kAvailable = "- Available -";

    // " Image Display Options "
    QComboBox* KV_Pref_AssignMode = nullptr;
    QComboBox* KV_Pref_ResizeMode = nullptr;
    SpinEdit* KV_Pref_WidthDefault = nullptr;
    SpinEdit* KV_Pref_HeightDefault = nullptr;
    QLineEdit* KV_Pref_PaletteFile = nullptr;
    // " New Image Defaults "
    RadioGroup* KV_Pref_BitDepths = nullptr;
    SpinEdit* KV_Pref_maskvalue = nullptr;
    QCheckBox* KV_Pref_Asmask = nullptr;
    SpinEdit* KV_Pref_NewWidth = nullptr;
    SpinEdit* KV_Pref_NewHeight = nullptr;
    BaseColourPanel* KV_Pref_BaseColour = nullptr;
    // The smaller groups.
    SpinEdit* KV_Pref_Custom_Angle = nullptr;
    QCheckBox* KV_Pref_AutoUndo = nullptr;
    QCheckBox* KV_Pref_Preview_MaintainRatio = nullptr;
    QCheckBox* KV_Pref_PreviewFast = nullptr;
    SpinEdit* KV_Pref_PreviewSize = nullptr;
    QCheckBox* KV_Pref_KillMacrotransfer = nullptr;
    QCheckBox* KV_Pref_FlyOver = nullptr;
    QLineEdit* KV_Pref_AddOn1 = nullptr;
    QLineEdit* KV_Pref_AddOn2 = nullptr;
    QLineEdit* KV_Pref_AddOn3 = nullptr;
    QLineEdit* KV_Pref_AddOn4 = nullptr;

    // The add-on program browser: title and filter of the file-open request.
    DialogRequest AddonOpenBrowser;

    // Handlers.
    void FormCreate();
    void FormClose();
    void KV_Pref_BaseColourClick();
    void AddonDblClick(QLineEdit* box);

    // The creation step: every key into the controls, then the derived effects.
    void ReadSettings();
    // Every key from the controls; a refused write stops at that key and is reported.
    void WriteSettings();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildDisplayGroup();
    void buildNewImageGroup();
    void buildSmallGroups();
    void buildAddOnGroup();
    void readControls(const IniFile& file);
    void writeControls(IniFile& file);
    void applyDerivedEffects(const IniFile& file);
    void applyAutoUndo(bool enabled);

    QGroupBox* m_displayGroup = nullptr;
    QGroupBox* m_newImageGroup = nullptr;
    QGroupBox* m_angleGroup = nullptr;
    QGroupBox* m_undoGroup = nullptr;
    QGroupBox* m_previewGroup = nullptr;
    QGroupBox* m_helpGroup = nullptr;
    QGroupBox* m_addOnGroup = nullptr;
};

} // namespace vask

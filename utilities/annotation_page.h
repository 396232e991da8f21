#pragma once

#include <QWidget>

class QCheckBox;
class QPlainTextEdit;
class QToolButton;

namespace vask {

class IniFile;
class SpinEdit;

// Process page "Annotation": the text that is dragged onto an image window and the options of
// text and line drawing. Keys Process/FntTrans to Process/Justify.
class AnnotationPage : public QWidget {
    Q_OBJECT
public:
    explicit AnnotationPage(QWidget* parent);

    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QToolButton* KV_UT_Annotation_Callupfonts = nullptr;
    QToolButton* KV_UT_Annotation_EnableDrag = nullptr;
    QToolButton* KV_UT_Annotation_BckColor = nullptr;
    QToolButton* KV_UT_Annotation_DrawArrows = nullptr;
    QPlainTextEdit* KV_UT_Annotation_Text = nullptr;
    QCheckBox* KV_UT_Annotation_Transparent = nullptr;
    QCheckBox* KV_UT_Annotation_AutoSize = nullptr;
    QCheckBox* KV_UT_Annotation_Bold = nullptr;
    QCheckBox* KV_UT_Annotation_Italic = nullptr;
    QCheckBox* KV_UT_Annotation_Underline = nullptr;
    QCheckBox* KV_UT_Annotation_WithArrows = nullptr;
    QCheckBox* KV_UT_Annotation_DoubleArrows = nullptr;
    QCheckBox* KV_UT_Annotation_PrefWidth = nullptr;
    SpinEdit* KV_UT_Annotation_LineWidth = nullptr;
    QCheckBox* KV_UT_Annotation_Center = nullptr;
};

} // namespace vask

#pragma once

#include <QDialog>

namespace vask {

// The print preview page composer "Printer Preview - Drag and Drop Image to Print". Created
// once at start-up, hidden until the print command shows it; the page, its images and text
// lines live inside it.
class TKV_PrintPreview : public QDialog {
    Q_OBJECT
public:
    explicit TKV_PrintPreview(QWidget* parent = nullptr);
};

} // namespace vask

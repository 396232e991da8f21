#pragma once

#include <QDialog>

namespace vask {

class TPicbuf;

// The full-screen view: a borderless window over the whole screen whose picture shows a copy
// of the active image; a click on the picture closes it, and closing empties the picture.
class TKV_FullScreen : public QDialog {
    Q_OBJECT
public:
    explicit TKV_FullScreen(QWidget* parent = nullptr);

    TPicbuf* KV_FS_FullScreen = nullptr;

    void FormCreate();
    void FormActivate();
    void KV_FS_FullScreenClick();
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
};

} // namespace vask

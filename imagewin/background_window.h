#pragma once

#include <QWidget>

namespace vask {

class TPicbuf;

// The never-shown window that owns the image stores: the program's own clipboard, the marked
// image, the automatic undo image and the copy image.
class TKV_BackGround : public QWidget {
    Q_OBJECT
public:
    explicit TKV_BackGround(QWidget* parent = nullptr);

    TPicbuf* VaskClipboard = nullptr;
    TPicbuf* KV_BCK_MarkedUndo = nullptr;
    TPicbuf* KV_BCK_AutoUndo = nullptr;
    TPicbuf* KV_BCK_ProvidedUndo = nullptr;
};

} // namespace vask

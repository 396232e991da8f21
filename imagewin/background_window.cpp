#include "imagewin/background_window.h"

#include "controls/picbuf.h"

namespace vask {

TKV_BackGround::TKV_BackGround(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("KV_BackGround"));
    setWindowTitle(QStringLiteral("BackGround"));
    setFixedSize(158, 46);
    const char* const names[] = {"VaskClipboard", "KV_BCK_MarkedUndo", "KV_BCK_AutoUndo",
                                 "KV_BCK_ProvidedUndo"};
    TPicbuf** members[] = {&VaskClipboard, &KV_BCK_MarkedUndo, &KV_BCK_AutoUndo, &KV_BCK_ProvidedUndo};
    for (int index = 0; index < 4; ++index) {
        auto* store = new TPicbuf(this);
        store->setObjectName(QString::fromLatin1(names[index]));
        store->setGeometry(4 + index * 38, 6, 35, 33);
        *members[index] = store;
    }
}

} // namespace vask

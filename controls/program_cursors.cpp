#include "controls/program_cursors.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QtDebug>

#include <array>

// The resources live in a static library, where nothing would otherwise pull them in.
static void initCursorResources()
{
    Q_INIT_RESOURCE(cursors);
}

namespace vask {

namespace {

// Hot spots are pixels of the 32 x 32 images; each image's comment repeats its own.
struct CursorImage {
    const char* name;
    int hotX;
    int hotY;
};

constexpr std::array<CursorImage, 9> kCursorImages{{
    {"", 0, 0},
    {"CROSSHAIR", 15, 15}, // centre of the cross
    {"GRABHAND", 16, 17},  // middle of the palm
    {"SELECTION", 8, 8},   // centre of the small cross, the frame corner below right
    {"CALC", 15, 15},      // waist of the hourglass
    {"UNDO", 4, 6},        // tip of the arrow head
    {"ZOOM", 11, 11},      // centre of the lens
    {"DRAGDROP", 1, 1},    // tip of the arrow
    {"DARROW", 6, 6},      // centre of the small cross where the line starts
}};

struct CursorTable {
    std::array<QCursor, kCursorImages.size()> cursors;
    bool loaded = false;
    int applicationIndex = kDefaultCursor;
};

CursorTable& cursorTable()
{
    static CursorTable table;
    return table;
}

bool isTableIndex(int index)
{
    return index > 0 && index < static_cast<int>(kCursorImages.size());
}

// Shows cursor over every window as the one program-wide override, never stacking another.
void showApplicationCursor(const QCursor& cursor)
{
    if (QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::changeOverrideCursor(cursor);
    else
        QGuiApplication::setOverrideCursor(cursor);
}

} // namespace

void LoadProgramCursors()
{
    initCursorResources();
    CursorTable& table = cursorTable();
    for (int index = 1; index < static_cast<int>(kCursorImages.size()); ++index) {
        const CursorImage& image = kCursorImages[static_cast<std::size_t>(index)];
        const QPixmap pixmap(QStringLiteral(":/cursors/%1.xpm").arg(QLatin1String(image.name)));
        if (pixmap.isNull()) {
            qWarning("The cursor image %s could not be read; the arrow stands in for it.", image.name);
            table.cursors[static_cast<std::size_t>(index)] = QCursor(Qt::ArrowCursor);
            continue;
        }
        table.cursors[static_cast<std::size_t>(index)] = QCursor(pixmap, image.hotX, image.hotY);
    }
    table.loaded = true;
}

QCursor programCursor(int index)
{
    if (!isTableIndex(index))
        return QCursor(Qt::ArrowCursor);
    if (!cursorTable().loaded)
        LoadProgramCursors();
    return cursorTable().cursors[static_cast<std::size_t>(index)];
}

QString programCursorName(int index)
{
    if (!isTableIndex(index))
        return {};
    return QLatin1String(kCursorImages[static_cast<std::size_t>(index)].name);
}

void setApplicationCursor(int index)
{
    if (!isTableIndex(index)) {
        // Every override goes, also one a drag or a busy guard left behind.
        while (QGuiApplication::overrideCursor() != nullptr)
            QGuiApplication::restoreOverrideCursor();
        cursorTable().applicationIndex = kDefaultCursor;
        return;
    }
    showApplicationCursor(programCursor(index));
    cursorTable().applicationIndex = index;
}

int applicationCursorIndex()
{
    return cursorTable().applicationIndex;
}

void setApplicationDragCursor()
{
    showApplicationCursor(QCursor(Qt::DragMoveCursor));
    cursorTable().applicationIndex = kSystemDragCursor;
}

} // namespace vask

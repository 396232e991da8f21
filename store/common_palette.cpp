#include "store/common_palette.h"

#include "controls/dialog_service.h"
#include "controls/picbuf.h"
#include "settings/preferences_dialog.h"
#include "settings/program_paths.h"
#include "shell/program_windows.h"
#include "shell/status_routines.h"
#include "store/disk_control_dialog.h"

#include <QFileInfo>
#include <QLineEdit>

#include <memory>

namespace vask {

namespace {

// The preferences' live value; before that window exists, its default.
QString commonPaletteFile()
{
    if (const TKV_Preferences32v1* preferences = programWindows().KV_Preferences32v1)
        return preferences->KV_Pref_PaletteFile->text();
    return GetProgramPath() + QStringLiteral("Common.pal");
}

} // namespace

void MapToCommonPalette(TPicbuf& picture)
{
    if (picture.ColorDepth() > 8)
        return;
    BusyGuard busy(QStringLiteral("Mapping Palettes......."));
    const QString paletteFile = commonPaletteFile();
    if (!QFileInfo(paletteFile).isFile()) {
        DialogService::instance().information(
            QStringLiteral(
                "Cannot find common palette file \"%1\" for automatic palette mapping. Please check "
                "palette file name and path [File | Preferences].")
                .arg(paletteFile));
        return;
    }
    // Without the dialog (tools, tests of one window) a buffer of our own holds the palette.
    std::unique_ptr<TPicbuf> ownHolder;
    TPicbuf* holder = nullptr;
    if (TRZ_DiskControl32V1* disk = programWindows().RZ_DiskControl32V1)
        holder = disk->RZ_Palette;
    if (holder == nullptr) {
        ownHolder = std::make_unique<TPicbuf>();
        holder = ownHolder.get();
    }
    // Emptied first, so the holder takes exactly the file's palette, not the previous one's depth.
    holder->ClearImage();
    holder->setFileName(paletteFile);
    holder->ReadPalette();
    picture.MapPalette(*holder);
}

} // namespace vask

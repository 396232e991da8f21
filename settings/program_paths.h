#pragma once

#include <QString>

namespace vask {

// The program folder: the executable's folder with its trailing "/"; "/" when it cannot be
// found (no application object yet).
QString GetProgramPath();

// The folders of the shipped filter and palette files, siblings of a program folder named
// PROGRAM: "/opt/vask/PROGRAM/" gives "/opt/vask/FILTERS" and "/opt/vask/PALETTES" (no
// trailing "/"). "/" when the program folder cannot be found.
QString GetFiltersPath();
QString GetPalettesPath();

// The rule behind both: from the first "PROGRAM" in the program folder, found without regard
// to case, 9 characters are removed (the name, its "/" and one more, fewer where the text
// ends), then folderName is appended. The rest of the path keeps its case, since Linux file
// names are case-sensitive. A path without "PROGRAM" only gets folderName appended.
QString siblingProgramFolder(const QString& programPath, const QString& folderName);

} // namespace vask

#pragma once

#include <QString>

namespace vask {

// Records a name as the last file: the disk control dialog remembers it and the main menu's
// "Last File" item shows it (the main window writes it to the settings when it closes).
void SetLastFile(const QString& fileName);

} // namespace vask

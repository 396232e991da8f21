#pragma once

#include <string>

namespace vask {

// The settings file's name from the program file's path: the text after the last "/", "\"
// or ":", with everything from its last "." replaced by ".INI" (".INI" appended when there
// is no "."). "vask32v1" gives "vask32v1.INI", "X.EXE" gives "X.INI".
std::string settingsFileNameFor(const std::string& programPath);

// The folder of the settings file: $VASK32V1_CONFIG_DIR when set, else $XDG_CONFIG_HOME,
// else ~/.config. Created when missing.
std::string settingsFolder();

// The full path of the program's one settings file, vask32v1.INI in settingsFolder().
std::string settingsFilePath();

} // namespace vask

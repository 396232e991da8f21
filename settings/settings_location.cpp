#include "settings/settings_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vask {

namespace {

const char* nonEmptyVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' ? value : nullptr;
}

} // namespace

std::string settingsFileNameFor(const std::string& programPath)
{
    const std::size_t separator = programPath.find_last_of("/\\:");
    std::string name = separator == std::string::npos ? programPath : programPath.substr(separator + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name + ".INI";
}

std::string settingsFolder()
{
    std::string folder;
    if (const char* own = nonEmptyVariable("VASK32V1_CONFIG_DIR"))
        folder = own;
    else if (const char* config = nonEmptyVariable("XDG_CONFIG_HOME"))
        folder = config;
    else if (const char* home = nonEmptyVariable("HOME"))
        folder = std::string(home) + "/.config";
    else
        folder = "/tmp";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    // A folder that cannot be made shows up later as a refused write; reads give defaults.
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::string settingsFilePath()
{
    return settingsFolder() + "/" + settingsFileNameFor("vask32v1");
}

} // namespace vask

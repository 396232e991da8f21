#include "store/image_names.h"

#include <array>

namespace vask {

QString fileNamePart(const QString& path)
{
    const qsizetype cut = std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')),
                                    path.lastIndexOf(QLatin1Char(':'))});
    return path.mid(cut + 1);
}

bool isValidImageName(const QString& name)
{
    const QString upper = name.toUpper();
    struct Rule {
        const char* extension;
        bool valid;
    };
    static const std::array<Rule, 10> kRules = {{{".TIF", true},
                                                 {".TGA", true},
                                                 {".BMP", true},
                                                 {".GIF", false},
                                                 {".DIB", true},
                                                 {".PCX", true},
                                                 {".JPG", true},
                                                 {".MSP", true},
                                                 {".FIF", true},
                                                 {".PNG", true}}};
    bool valid = false;
    for (const Rule& rule : kRules) {
        if (upper.contains(QLatin1String(rule.extension)))
            valid = rule.valid;
    }
    return valid && fileNamePart(name).size() >= 5;
}

int filterIndexOf(const QString& name)
{
    static const std::array<const char*, 11> kExtensions = {".TIF", ".TGA", ".BMP", ".DIB", ".PCX", ".JPG",
                                                            ".MSP", ".FIF", ".PNG", ".EXE", ".DLL"};
    const QString upper = name.toUpper();
    int index = 0;
    for (std::size_t position = 0; position < kExtensions.size(); ++position) {
        if (upper.contains(QLatin1String(kExtensions[position])))
            index = static_cast<int>(position) + 1;
    }
    return index;
}

bool isIconSource(const QString& name)
{
    const QString upper = name.toUpper();
    return upper.contains(QLatin1String(".EXE")) || upper.contains(QLatin1String(".DLL"));
}

bool isFifName(const QString& name)
{
    return name.toUpper().contains(QLatin1String(".FIF"));
}

} // namespace vask

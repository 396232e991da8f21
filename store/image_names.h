#pragma once

#include <QString>

namespace vask {

// The file-name rules of loading and saving. Every test looks at the whole path in upper
// case and asks whether an extension's text occurs anywhere in it (not only at the end),
// as the program always has: "C:/DATA.JPG/X.BMP" is a JPG name as much as a BMP one.

// The text after the last "/", "\" or ":".
QString fileNamePart(const QString& path);

// Tested in the order TIF, TGA, BMP, GIF, DIB, PCX, JPG, MSP, FIF, PNG, the last found
// wins (GIF makes the name invalid); a file-name part shorter than 5 characters is invalid.
bool isValidImageName(const QString& name);

// The disk control's filter list index for a name: 1 TIF .. 9 PNG, 10 EXE, 11 DLL, 0 none;
// the last extension found in the order of the list wins.
int filterIndexOf(const QString& name);

// ".EXE" or ".DLL" anywhere in the name: loading it extracts icons.
bool isIconSource(const QString& name);
bool isFifName(const QString& name);

} // namespace vask

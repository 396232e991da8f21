#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vask {

class TPicbuf;
class TRZ_DiskControl32V1;

// Opens a new image window holding the file. An .EXE or .DLL name opens no window: its icons
// belong to the icon page, which extracts them itself. Reports faults as "Error:- UIKUtil32v1 - Code 172 - "
// + the fault's text; the window made before the fault stays open.
void LoadImage(const QString& fileName);

// Saves the active image window's picture under the name, after the name and format checks
// and the overwrite question. Faults: "Error:- UIKUtil32v1 - Code 222 - " + text.
void SaveActiveImage(const QString& fileName);

// Applies the disk control dialog's format options to the picture for its FileName; true
// when the save must be refused (MSP, FIF, a 24-bit greyscale JPG or PNG request).
bool SaveChecks(TPicbuf& picture);

// Writes a PCX name through the disk control dialog's LEAD control; false for other names.
bool SaveAsPcx(const QString& fileName, TPicbuf& picture);

// Records a name as the last file: the disk control dialog remembers it (name, filter
// index, file list) and the main menu's "Last File" item shows it.
void SetLastFile(const QString& fileName);

// The active image window holds a picture.
bool ActiveImageHasPicture();

// A new image window from the preferences' new-image settings, captioned "New Image".
void NewImage();

// Copies the picture of one control (picture buffer or LEAD control) into another; an empty
// source transfers nothing. Faults are not reported.
void TransferImage(QWidget* source, QWidget* destination);

// The main menu's commands: Open File, Save As and Last File.
void OpenFileCommand();
void SaveAsCommand();
void ReopenLastFileCommand();

// How Open File and Save As show the disk control dialog: the dialog's exec() unless
// replaced. A modal loop cannot run in a test, so tests put in a function that sets the
// dialog's remembered file name as a user would and answers QDialog::Accepted or Rejected;
// they put execDiskDialog back afterwards.
int execDiskDialog(TRZ_DiskControl32V1& dialog);
extern std::function<int(TRZ_DiskControl32V1&)> showDiskDialog;

} // namespace vask

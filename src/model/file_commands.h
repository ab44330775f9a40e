#pragma once

#include <QString>

// The File menu's commands on the model; the menus call them. Exit, Help and About act on
// windows and live with the main window.
namespace quillet {

void FileNew();
void FileOpen();
// File > Open after its dialog: the header check with its questions and read-only offer, the
// unsaved-changes question and the load of `path`. A start that is read-only asks no in-use
// question. True when the file was loaded.
bool OpenDataFileNamed(const QString& path, bool readOnlyFromStart);
void FileSave();
void FileSaveAs();

} // namespace quillet

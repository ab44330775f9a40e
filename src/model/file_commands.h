#pragma once

// The File menu's commands on the model; the menus call them. Exit, Help and About act on
// windows and live with the main window.
namespace quillet {

void FileNew();
void FileOpen();
void FileSave();
void FileSaveAs();

} // namespace quillet

#pragma once

// The File menu's commands on the model; the menus call them. Help and About open windows and
// live with the main window.
namespace quillet {

void FileNew();
void FileOpen();
void FileSave();
void FileSaveAs();
// Closes the main window, which runs the unload.
void FileExit();

} // namespace quillet

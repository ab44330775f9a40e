#pragma once

#include <QString>

namespace quillet {

// The folder the program runs from, as the platform reports it (no trailing "/" but for the root).
QString ProgramDirectory();
// The same with a trailing "/", ready for a file name: the settings file and help file live here.
QString ProgramFolder();
// Tests point the program's folder at a temporary folder.
void SetProgramFolderForTesting(const QString& folder);

} // namespace quillet

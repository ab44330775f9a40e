#pragma once

#include <QString>

namespace quillet {

// The folder the program runs from, with a trailing "/". Settings file and help file live here.
// Tests point it at a temporary folder.
QString ProgramFolder();
void SetProgramFolderForTesting(const QString& folder);

} // namespace quillet

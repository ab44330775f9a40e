#pragma once

#include "support/scripted_dialogs.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target needs: a dialog service that answers every question so that reading
// goes on as far as it can, and a private folder on a memory file system.
namespace quillet::fuzz {

ScriptedDialogs& Dialogs();
QString Folder();
void WriteInput(const QString& path, const std::uint8_t* data, std::size_t size);

} // namespace quillet::fuzz

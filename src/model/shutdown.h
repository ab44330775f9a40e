#pragma once

// The main window's unload: a silent save of changed data (unless read-only), the exit question
// when that save fails, the window position, the settings file and the per-user settings, and
// the held data file released. False when the close must not go on.
namespace quillet {

bool UnloadMain();

} // namespace quillet

#pragma once

#include <QString>

namespace quillet {

// Moves the finished file `from` to `wanted`, or, when that name is taken, to the first free one
// of its numbered forms ("Labels.pdf", "Labels-2.pdf", "Labels-3.pdf", ...). Each name is taken
// atomically and only if free: nothing already there is replaced, and a link under the name, even
// one pointing nowhere, counts as taken and is never followed. The file gets the mode a new file of
// the user's gets (0666 less the umask). Returns the name taken; throws
// Failure when none is left or the move fails.
QString MoveToFreeName(const QString& from, const QString& wanted);

} // namespace quillet

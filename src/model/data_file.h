#pragma once

#include "common/dialogs.h"
#include "model/layout_data.h"
#include "model/text_file_reader.h"

#include <QByteArray>
#include <QString>

// The data file (".QX3"): two header lines, then one line per non-empty cell of LayoutData,
// a five-digit marker (slot, field and sub-entry, each plus 1, as "00", "00" and "0") followed
// directly by the cell's text. Lines end with CR LF.
namespace quillet {

namespace HeaderCheck {
enum : int { NoName = 0, NotFound = 1, InUse = 2, Failed = 3, Invalid = 4, Valid = 5 };
}
namespace LoadResult {
enum : int { NoName = 0, NotFound = 1, Locked = 2, Failed = 3, Stopped = 4, Loaded = 5 };
}

inline const QString DataFileFirstLine = QStringLiteral("Quillet Data File");
inline const QString DataFileSecondLine = QStringLiteral("<filename>.QX3");
// The reader reads at most this many cell lines and ignores the rest.
constexpr int MaxCellLines = 10000;
// The largest file the writer can make: every cell as long as the reader keeps a line, each
// character in up to three bytes of UTF-8, behind the header. A larger file is refused unread.
constexpr qint64 MaxDataFileBytes =
    64 + qint64(SlotCount) * FieldCount * SubEntryCount * (7 + 3 * TextFileReader::MaxLineChars);
// The header check reads no more than this from the start of a file.
constexpr qint64 HeaderCheckBytes = 64 * 1024;

// True when `path` names an existing ordinary file (not a folder, device or pipe). A name the
// file system refuses gives false; other failures are reported and give false on Cancel.
bool FileExists(const QString& path);

// HeaderCheck results. Without `readOnly` the file must not be open in any other copy.
int CheckDataFileHeader(const QString& path, bool readOnly);

// LoadResult results. The loaded file stays held until the next load, save, New or exit.
int LoadDataFile(const QString& path, bool readOnly);

// 1 saved, 0 not saved. An empty `path` asks for a name with the save dialog and receives it.
// The file on disk always holds either its previous content or the new content in full.
int SaveDataFile(QString& path);

// The open and save dialogs for data files (Save As and a save without a name share one).
FileDialogRequest DataFileDialog(FileDialogRequest::Mode mode);

// Sets ReadOnlyMode; the main window enables Save and Save As exactly when it is false.
void SetReadOnly(bool readOnly);

// The bytes the writer puts in the file for the current table.
QByteArray DataFileContent();

// Points along a save where a test may stop the process.
enum class SaveStage { BeforeWrite, DuringWrite, AfterWrite, BeforeRename, AfterRename };
using SaveStageHook = void (*)(SaveStage stage);
void SetSaveStageHookForTesting(SaveStageHook hook);

} // namespace quillet

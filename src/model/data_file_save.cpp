#include "common/dialogs.h"
#include "common/failure.h"
#include "common/steps.h"
#include "model/data_file.h"
#include "model/layout_data.h"
#include "model/safe_file_write.h"
#include "model/save_target.h"
#include "model/shared_state.h"
#include "model/text_encoding.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace quillet {

namespace {

SaveStageHook stageHook = nullptr;

void Reached(SaveStage stage)
{
    if (stageHook) stageHook(stage);
}

// The write loop's counters (1-based, as in the markers) at a byte offset of the content.
struct CellPosition {
    qsizetype offset;
    int slot;
    int field;
    int subEntry;
};

struct Content {
    QByteArray bytes;
    std::vector<CellPosition> cells;
};

Content BuildContent()
{
    // The file is encoded as a whole: Windows-1252 keeps it readable by older copies; text it
    // cannot hold makes the file UTF-8, marked by a byte-order mark on the ignored first line.
    QString text;
    std::vector<CellPosition> cells;
    text += DataFileFirstLine + QStringLiteral("\r\n") + DataFileSecondLine + QStringLiteral("\r\n");
    for (int slot = 0; slot < SlotCount; ++slot) {
        for (int field = 0; field < FieldCount; ++field) {
            for (int sub = 0; sub < SubEntryCount; ++sub) {
                const QString& value = LayoutData.cell(slot, field, sub);
                if (value.isEmpty()) continue;
                cells.push_back({text.size(), slot + 1, field + 1, sub + 1});
                text += QString::asprintf("%02d%02d%d", slot + 1, field + 1, sub + 1);
                // Cells never hold line breaks; should one slip in, it must not split the line.
                text += WithoutLineBreaks(value);
                text += QStringLiteral("\r\n");
            }
        }
    }
    Content content;
    content.bytes = EncodeForFile(text);
    // Byte offsets of the cells, for the counters of an error message.
    const bool utf8 = content.bytes.startsWith(Utf8ByteOrderMark);
    qsizetype charsSeen = 0;
    qsizetype bytesSeen = utf8 ? 3 : 0;
    for (CellPosition& cell : cells) {
        const QStringView before = QStringView(text).mid(charsSeen, cell.offset - charsSeen);
        bytesSeen += utf8 ? before.toUtf8().size() : before.size();
        charsSeen = cell.offset;
        cell.offset = bytesSeen;
    }
    content.cells = std::move(cells);
    return content;
}

CellPosition PositionAt(const Content& content, qsizetype offset)
{
    CellPosition found{0, 0, 0, 0};
    for (const CellPosition& cell : content.cells) {
        if (cell.offset > offset) break;
        found = cell;
    }
    return found;
}

void ShowFileInUse(const QString& path)
{
    ShowMessage(QStringLiteral("The file:") + CR + path + CR +
                    QStringLiteral("Is currently in use (and therefore may not be overwritten at this time)."),
                Buttons::Ok, Icon::Warning, QStringLiteral("File in Use"));
}

// Where the new file cannot keep what the old one had, the user decides before anything is written.
bool ConfirmOwnershipLoss(const QString& path, const OwnershipLoss& loss)
{
    QString text = QStringLiteral("The file:") + CR + path + CR;
    if (loss.owner || loss.group)
        text += QStringLiteral("belongs to another user or group; once saved it will belong to you.") + CR;
    if (loss.hardLinks) text += QStringLiteral("has other names (hard links), which will keep the old content.") + CR;
    return ShowMessage(text + CR + QStringLiteral("Save it anyway?"), Buttons::YesNo, Icon::Warning,
                       QStringLiteral("Save Data File"), Answer::No) == Answer::Yes;
}

} // namespace

FileDialogRequest DataFileDialog(FileDialogRequest::Mode mode)
{
    FileDialogRequest request;
    request.mode = mode;
    if (mode == FileDialogRequest::Mode::Open) {
        request.title = QStringLiteral("Open");
        request.nameFilters = {QStringLiteral("Quillet Data Files (*.QX3 *.qx3)"), QStringLiteral("All Files (*)")};
    } else {
        request.title = QStringLiteral("Save As");
        request.nameFilters = {QStringLiteral("Quillet Data File (*.QX3 *.qx3)")};
        request.initialName = DataFileName;
        request.confirmOverwrite = true;
    }
    if (!DataFileName.isEmpty()) request.directory = QFileInfo(DataFileName).absolutePath();
    request.defaultSuffix = QStringLiteral("QX3");
    return request;
}

void SetSaveStageHookForTesting(SaveStageHook hook)
{
    stageHook = hook;
}

QByteArray DataFileContent()
{
    return BuildContent().bytes;
}

int SaveDataFile(QString& path)
{
    CellPosition counters{0, 0, 0, 0};
    Steps step([&](const Failure& failure, std::int32_t stepNumber) {
        MessageRequest request;
        request.text = QStringLiteral("Error saving QX data:") + CR + CR + QStringLiteral("Error:  ") +
                       failure.description + CR + QStringLiteral("Filename:  ") + path + CR +
                       QStringLiteral("Error Number:  ") + QString::number(failure.number) + u'-' +
                       QString::number(stepNumber) + u'-' + QString::number(DataFileHandle.number()) + u'-' +
                       QString::number(counters.slot) + u'-' + QString::number(counters.field) + u'-' +
                       QString::number(counters.subEntry);
        request.title = QStringLiteral("Save Data Error");
        request.buttons = Buttons::AbortRetryIgnore;
        request.icon = Icon::Warning;
        return Ui().message(request);
    });

    if (path.isEmpty()) {
        std::optional<QString> chosen;
        if (!step(1, [&] { chosen = Ui().chooseFile(DataFileDialog(FileDialogRequest::Mode::Save)); })) return 0;
        // A cancelled dialog saves nothing.
        if (!chosen || chosen->isEmpty()) return 0;
        path = *chosen;
    }
    const bool newName = path != DataFileName;

    // Every step below must have run before the next one may: an ignored failure before the
    // rename ends the save with nothing written rather than commit an incomplete file.
    bool done = false;
    QString target;
    UniqueFd targetHold;
    bool inUse = false;
    OwnershipLoss loss;
    if (!step(2,
              [&] {
                  done = false;
                  loss = OwnershipLoss();
                  target = ResolveSaveTarget(path);
                  CheckSaveTarget(target);
                  if (FileExists(target)) {
                      loss = WhatASaveCannotKeep(target);
                      const bool alreadyHeld = DataFileHandle.isHeld() && DataFileHandle.mode() == ShareMode::Editor &&
                                               SameFile(DataFileHandle.fd(), target);
                      if (!alreadyHeld) {
                          SharedOpen existing = OpenShared(target, ShareMode::Editor);
                          if (existing.inUse) {
                              inUse = true;
                          } else {
                              targetHold = std::move(existing.fd);
                          }
                      }
                  }
                  done = true;
              }) ||
        !done)
        return 0;
    if (inUse) {
        ShowFileInUse(path);
        return 0;
    }
    if (loss.any() && !ConfirmOwnershipLoss(path, loss)) return 0;

    QString tempPath;
    UniqueFd temp;
    bool renamed = false;
    struct TempCleanup {
        QString& path;
        bool& renamed;
        ~TempCleanup()
        {
            if (!path.isEmpty() && !renamed) RemoveFileQuietly(path);
        }
    } cleanup{tempPath, renamed};

    if (!step(3,
              [&] {
                  done = false;
                  if (temp.valid()) {
                      temp.reset();
                      RemoveFileQuietly(tempPath);
                      tempPath.clear();
                  }
                  RemoveAbandonedTempFiles(target);
                  temp = CreateTempFileBeside(target, tempPath);
                  done = true;
              }) ||
        !done)
        return 0;
    Reached(SaveStage::BeforeWrite);

    if (!step(4,
              [&] {
                  done = false;
                  const Content content = BuildContent();
                  if (::ftruncate(temp.get(), 0) != 0 || ::lseek(temp.get(), 0, SEEK_SET) != 0)
                      throw Failure::fromErrno(errno);
                  const qsizetype half = content.bytes.size() / 2;
                  qsizetype firstWritten = 0;
                  qsizetype secondWritten = 0;
                  try {
                      WriteAll(temp.get(), QByteArrayView(content.bytes).first(half), firstWritten);
                      Reached(SaveStage::DuringWrite);
                      WriteAll(temp.get(), QByteArrayView(content.bytes).sliced(half), secondWritten);
                  } catch (...) {
                      counters = PositionAt(content, firstWritten + secondWritten);
                      throw;
                  }
                  counters = content.cells.empty() ? CellPosition{0, 0, 0, 0} : content.cells.back();
                  done = true;
              }) ||
        !done)
        return 0;
    if (!step(5,
              [&] {
                  done = false;
                  SyncFile(temp.get());
                  done = true;
              }) ||
        !done)
        return 0;
    Reached(SaveStage::AfterWrite);

    // The new file is held (locked since its creation) before it takes the name, so it is never
    // free for another copy.
    if (!step(6,
              [&] {
                  done = false;
                  if (!TakeEditorLock(temp.get())) throw Failure::fromErrno(EAGAIN);
                  done = true;
              }) ||
        !done)
        return 0;
    Reached(SaveStage::BeforeRename);
    if (!step(7,
              [&] {
                  done = false;
                  RenameFile(tempPath, target);
                  renamed = true;
                  done = true;
              }) ||
        !done)
        return 0;
    Reached(SaveStage::AfterRename);

    // The file now has its name: hold it, whatever follows.
    step(8, [&] {
        DataFileHandle.hold(std::move(temp), ShareMode::Editor);
        targetHold.reset();
        if (newName) {
            DataFileName = path;
            SettingsData[0] = path;
            if (MainLink().setTitle) MainLink().setTitle(QStringLiteral("Quillet:  ") + path);
        }
    });
    if (!step(9, [&] { SyncFolderOf(target); })) return 0;
    return 1;
}

void SetReadOnly(bool readOnly)
{
    Steps step(QStringLiteral("Error setting 'read-only' flags within Quillet"), Buttons::Ok);
    if (!step(1, [&] { ReadOnlyMode = readOnly; })) return;
    step(2, [&] {
        if (MainLink().setSaveEnabled) MainLink().setSaveEnabled(!readOnly);
    });
}

} // namespace quillet

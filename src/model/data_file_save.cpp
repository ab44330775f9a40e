#include "common/dialogs.h"
#include "common/failure.h"
#include "common/steps.h"
#include "model/data_file.h"
#include "model/data_file_writer.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "model/safe_file_write.h"
#include "model/save_target.h"
#include "model/text_encoding.h"

#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace quillet {

namespace {

SaveStageHook stageHook = nullptr;

void Reached(SaveStage stage)
{
    if (stageHook) stageHook(stage);
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
        request.initialName = Run().dataFileName();
        request.confirmOverwrite = true;
    }
    if (!Run().dataFileName().isEmpty()) request.directory = QFileInfo(Run().dataFileName()).absolutePath();
    request.defaultSuffix = QStringLiteral("QX3");
    return request;
}

void SetSaveStageHookForTesting(SaveStageHook hook)
{
    stageHook = hook;
}

QByteArray DataFileContent()
{
    QByteArray bytes;
    CellCounters counters;
    WriteDataFile(
        [&](QByteArrayView piece, qsizetype& written) {
            bytes += piece;
            written = piece.size();
        },
        counters);
    return bytes;
}

int SaveDataFile(QString& path)
{
    CellCounters counters;
    Steps step([&](const Failure& failure, std::int32_t stepNumber) {
        MessageRequest request;
        request.text = QStringLiteral("Error saving QX data:") + CR + CR + QStringLiteral("Error:  ") +
                       failure.description + CR + QStringLiteral("Filename:  ") + path + CR +
                       QStringLiteral("Error Number:  ") + QString::number(failure.number) + u'-' +
                       QString::number(stepNumber) + u'-' + QString::number(Run().dataFileHandle.number()) + u'-' +
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
    const bool newName = path != Run().dataFileName();

    // Every step up to the rename must have run before the next one may: an ignored failure
    // there ends the save with nothing written rather than commit an incomplete file.
    QString target;
    UniqueFd targetHold;
    bool inUse = false;
    OwnershipLoss loss;
    if (!step.required(2, [&] {
            loss = OwnershipLoss();
            target = ResolveSaveTarget(path);
            CheckSaveTarget(target);
            if (FileExists(target)) {
                loss = WhatASaveCannotKeep(target);
                const bool alreadyHeld = Run().dataFileHandle.isHeld() &&
                                         Run().dataFileHandle.mode() == ShareMode::Editor &&
                                         SameFile(Run().dataFileHandle.fd(), target);
                if (!alreadyHeld) {
                    SharedOpen existing = OpenShared(target, ShareMode::Editor);
                    if (existing.inUse) {
                        inUse = true;
                    } else {
                        targetHold = std::move(existing.fd);
                    }
                }
            }
        }))
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

    if (!step.required(3, [&] {
            if (temp.valid()) {
                temp.reset();
                RemoveFileQuietly(tempPath);
                tempPath.clear();
            }
            RemoveAbandonedTempFiles(target);
            temp = CreateTempFileBeside(target, tempPath);
        }))
        return 0;
    Reached(SaveStage::BeforeWrite);

    if (!step.required(4, [&] {
            if (::ftruncate(temp.get(), 0) != 0 || ::lseek(temp.get(), 0, SEEK_SET) != 0)
                throw Failure::fromErrno(errno);
            WriteDataFile([&](QByteArrayView piece, qsizetype& written) { WriteAll(temp.get(), piece, written); },
                          counters, [] { Reached(SaveStage::DuringWrite); });
        }))
        return 0;
    if (!step.required(5, [&] { SyncFile(temp.get()); })) return 0;
    Reached(SaveStage::AfterWrite);

    // The new file is held (locked since its creation) before it takes the name, so it is never
    // free for another copy.
    if (!step.required(6, [&] {
            if (!TakeEditorLock(temp.get())) throw Failure::fromErrno(EAGAIN);
        }))
        return 0;
    Reached(SaveStage::BeforeRename);
    if (!step.required(7, [&] {
            RenameFile(tempPath, target);
            renamed = true;
        }))
        return 0;
    Reached(SaveStage::AfterRename);

    // The file now has its name: hold it, whatever follows.
    step(8, [&] {
        Run().dataFileHandle.hold(std::move(temp), ShareMode::Editor);
        targetHold.reset();
        if (newName) {
            Run().setDataFileName(path);
            Run().settingsData[0] = path;
        }
    });
    if (!step(9, [&] { SyncFolderOf(target); })) return 0;
    return 1;
}

void SetReadOnly(bool readOnly)
{
    Steps step(QStringLiteral("Error setting 'read-only' flags within Quillet"), Buttons::Ok);
    step(1, [&] { Run().setReadOnlyMode(readOnly); });
}

} // namespace quillet

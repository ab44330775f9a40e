#include "model/file_commands.h"

#include "common/dialogs.h"
#include "common/steps.h"
#include "model/data_file.h"
#include "model/factory_layouts.h"
#include "model/run_state.h"

#include <QFileInfo>

namespace quillet {

namespace {

const QString DialogPattern = QStringLiteral("*.QX3");

// The unsaved-changes question; Answer::No when it does not apply.
Answer AskToSaveChanges(bool openForm)
{
    if (!Run().dataChanged || Run().readOnlyMode()) return Answer::No;
    const QString text = openForm && Run().dataFileName().isEmpty()
                             ? QStringLiteral("Data has changed but has not been saved.  Save it now?")
                             : QStringLiteral("The current data file: ") + CR + Run().dataFileName() + CR +
                                   QStringLiteral("has changed but has not been saved.  Save it now?");
    return ShowMessage(text, Buttons::YesNoCancel, Icon::Question, QStringLiteral("Data Changed Warning"));
}

// True when the command may go on: No, or Yes and the save worked.
bool SaveChangesFirst(bool openForm)
{
    switch (AskToSaveChanges(openForm)) {
    case Answer::Yes: {
        QString name = Run().dataFileName();
        return SaveDataFile(name) == 1;
    }
    case Answer::No:
        return true;
    default:
        return false;
    }
}

bool LooksCancelled(const QString& chosen)
{
    const QString title = QFileInfo(chosen).fileName();
    return chosen.isEmpty() || chosen == DialogPattern || title.startsWith(u'*') || title.endsWith(u'*');
}

} // namespace

void FileNew()
{
    Steps step(QStringLiteral("Error starting new data file"), Buttons::Ok);
    bool goOn = false;
    if (!step(1,
              [&] {
                  goOn = ShowMessage(QStringLiteral("Start a new data file?"), Buttons::YesNo, Icon::Question,
                                     QStringLiteral("New Data File"), Answer::No) == Answer::Yes;
              }) ||
        !goOn)
        return;
    if (!step(2, [&] { goOn = SaveChangesFirst(false); }) || !goOn) return;
    if (!step(3, [] { Run().dataFileHandle.release(); })) return;
    if (!step(4, [] { StartNewData(); })) return;
    step(5, [] { Run().dataChanged = false; });
}

void FileOpen()
{
    Steps step(QStringLiteral("Error opening file"), Buttons::RetryCancel);
    QString chosen;
    if (!step(1, [&] { chosen = Ui().chooseFile(DataFileDialog(FileDialogRequest::Mode::Open)).value_or(QString()); }))
        return;
    if (chosen == Run().dataFileName() || LooksCancelled(chosen)) return;
    OpenDataFileNamed(chosen, false);
}

bool OpenDataFileNamed(const QString& chosen, bool readOnlyFromStart)
{
    Steps step(QStringLiteral("Error opening file"), Buttons::RetryCancel);
    bool readOnly = readOnlyFromStart;
    bool goOn = false;
    if (!step(3,
              [&] {
                  goOn = false;
                  for (;;) {
                      switch (CheckDataFileHeader(chosen, readOnly)) {
                      case HeaderCheck::NoName:
                          ShowMessage(QStringLiteral("No filename selected"));
                          return;
                      case HeaderCheck::NotFound:
                          ShowMessage(QStringLiteral("Filename not found: ") + CR + CR + chosen);
                          return;
                      case HeaderCheck::InUse:
                          if (ShowMessage(
                                  QStringLiteral("The file selected:  ") + CR + chosen + CR +
                                      QStringLiteral("is currently in use.") + CR + CR +
                                      QStringLiteral("Would you like to open it as read-only?") + CR + CR +
                                      QStringLiteral("(Opening as read-only will allow you the full use of the "
                                                     "file, but will not allow you to save any changes you make)"),
                                  Buttons::YesNo, Icon::Warning, QStringLiteral("File in Use"),
                                  Answer::No) != Answer::Yes)
                              return;
                          readOnly = true;
                          continue;
                      case HeaderCheck::Invalid:
                          goOn =
                              ShowMessage(QStringLiteral("The file selected:") + CR + CR + chosen + CR + CR +
                                              QStringLiteral("does not appear to be a valid Quillet data file.  "
                                                             "Attempt to load anyway?") +
                                              CR + CR +
                                              QStringLiteral("(Loading this file is NOT recommened, unless you're "
                                                             "confident that it contains Quillet data.  QX will "
                                                             "automatically overwrite this file upon exiting, unless a "
                                                             "different filename is selected.)"),
                                          Buttons::YesNo, Icon::Warning, QStringLiteral("Bad File Header"),
                                          Answer::No) == Answer::Yes;
                          return;
                      case HeaderCheck::Valid:
                          goOn = true;
                          return;
                      default: // reported
                          return;
                      }
                  }
              }) ||
        !goOn)
        return false;
    if (!step(4, [&] { goOn = SaveChangesFirst(true); }) || !goOn) return false;
    bool loaded = false;
    step(5, [&] {
        switch (LoadDataFile(chosen, readOnly)) {
        case LoadResult::NotFound:
            ShowMessage(QStringLiteral("Error:  Filename not found by file load routine.  Please contact Tolvan "
                                       "Software about this problem.  It shouldn't have happened.  Error #ZCD35"));
            break;
        case LoadResult::Locked:
            ShowMessage(QStringLiteral("Error:  Attempted to load a locked file.  Please contact Tolvan Software "
                                       "about this problem.  It shouldn't have happened.  Error #ZCD36"));
            break;
        case LoadResult::Loaded:
            SetReadOnly(readOnly);
            loaded = true;
            break;
        default:
            break;
        }
    });
    return loaded;
}

void FileSave()
{
    Steps step(QStringLiteral("Error opening file"), Buttons::RetryCancel);
    step(1, [] {
        // A read-only run never writes its file, whatever calls this.
        if (Run().readOnlyMode()) return;
        QString name = Run().dataFileName();
        SaveDataFile(name);
    });
}

void FileSaveAs()
{
    Steps step(QStringLiteral("Error performing 'Save As' function"), Buttons::Ok);
    QString chosen;
    if (!step(1, [&] {
            if (Run().readOnlyMode()) return;
            chosen = Ui().chooseFile(DataFileDialog(FileDialogRequest::Mode::Save)).value_or(QString());
        }))
        return;
    if (LooksCancelled(chosen)) return;
    step(3, [&] { SaveDataFile(chosen); });
}

} // namespace quillet

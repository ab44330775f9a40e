#include "common/dialogs.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "common/steps.h"
#include "model/data_file.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "model/text_file_reader.h"

#include <optional>

namespace quillet {

namespace {

const QString LoadQuestionTitle = QStringLiteral("Error loading QX data file");

bool AskContinueAfterShortLine(const QString& line, int lineNumber)
{
    MessageRequest request;
    request.text = QStringLiteral("Error loading data file:  Record is not in a valid format.") + CR + CR +
                   QStringLiteral("Record loaded: ") + line + CR + QStringLiteral("Record Number: ") +
                   QString::number(lineNumber) + CR + CR + QStringLiteral("Continue loading remaining data?");
    request.title = LoadQuestionTitle;
    request.buttons = Buttons::YesNo;
    request.icon = Icon::Warning;
    request.defaultButton = Answer::Yes;
    return Ui().message(request) == Answer::Yes;
}

bool AskContinueAfterBadMarker(const QString& line, int lineNumber)
{
    MessageRequest request;
    request.text = QStringLiteral("Error loading data file. Record marker is out of range.") + CR + CR +
                   QStringLiteral("Record marker loaded: ") + line.left(5) + CR + QStringLiteral("Record Number: ") +
                   QString::number(lineNumber) + CR + QStringLiteral("Complete record loaded: ") + line + CR + CR +
                   QStringLiteral("Continue loading remaining records?");
    request.title = LoadQuestionTitle;
    request.buttons = Buttons::YesNo;
    request.icon = Icon::Warning;
    request.defaultButton = Answer::Yes;
    return Ui().message(request) == Answer::Yes;
}

int MarkerNumber(QStringView text)
{
    return RoundToInt16(ReadNumber(text));
}

} // namespace

int LoadDataFile(const QString& path, bool readOnly)
{
    if (path.isEmpty()) return LoadResult::NoName;
    if (!FileExists(path)) return LoadResult::NotFound;

    int linesRead = 0;
    Steps step([&](const Failure& failure, std::int32_t stepNumber) {
        MessageRequest request;
        request.text = QStringLiteral("Error loading file:") + CR + CR + QStringLiteral("Error: ") +
                       failure.description + CR + QStringLiteral("Error Number: ") + QString::number(failure.number) +
                       u'-' + QString::number(stepNumber) + u'-' + QString::number(linesRead) + u'-' +
                       QString::number(Run().dataFileHandle.number()) + u'-' + (readOnly ? u'1' : u'0') + u'-';
        request.title = QStringLiteral("Error Loading File");
        request.buttons = Buttons::AbortRetryIgnore;
        request.icon = Icon::Warning;
        return Ui().message(request);
    });

    SharedOpen file;
    if (!step(2, [&] {
            file = OpenShared(path, readOnly ? ShareMode::Reader : ShareMode::Editor);
            if (!file.inUse) Run().setReadOnlyMode(readOnly);
        }))
        return LoadResult::Failed;
    if (file.inUse) return LoadResult::Locked;
    // Without the file there is nothing to read, whatever the answer was.
    if (!file.fd.valid()) return LoadResult::Failed;

    if (!step(3, [&] {
            Run().dataFileHandle.hold(std::move(file.fd), readOnly ? ShareMode::Reader : ShareMode::Editor);
            Run().setDataFileName(path);
        }))
        return LoadResult::Failed;
    if (!step(4, [&] { Run().settingsData[0] = path; })) return LoadResult::Failed;
    if (!step(5, [] {
            LayoutData().erase();
            Run().dataChanged = false;
        }))
        return LoadResult::Failed;

    std::optional<TextFileReader> reader;
    if (!step(6, [&] {
            reader.emplace(Run().dataFileHandle.fd(), true, MaxDataFileBytes);
            QString header;
            if (reader->nextLine(header)) reader->nextLine(header);
        }))
        return LoadResult::Failed;

    QString line;
    while (reader && linesRead < MaxCellLines) {
        bool more = false;
        if (!step(7, [&] { more = reader->nextLine(line); })) return LoadResult::Failed;
        if (!more) break;
        ++linesRead;
        if (line.size() < 6) {
            if (!AskContinueAfterShortLine(line, linesRead)) return LoadResult::Stopped;
            continue;
        }
        const QStringView text(line);
        const int slot = MarkerNumber(text.mid(0, 2));
        const int field = MarkerNumber(text.mid(2, 2));
        const int subEntry = MarkerNumber(text.mid(4, 1));
        if (slot < 1 || slot > SlotCount || field < 1 || field > FieldCount || subEntry < 1 ||
            subEntry > SubEntryCount) {
            if (!AskContinueAfterBadMarker(line, linesRead)) return LoadResult::Stopped;
            continue;
        }
        LayoutData().setCell(slot - 1, field - 1, subEntry - 1, line.mid(5));
    }

    step(8, [] {
        CountAddressEntries();
        Q_EMIT Run().layoutsChanged();
    });
    return LoadResult::Loaded;
}

} // namespace quillet

#include "addressbook/address_records.h"

namespace quillet {

namespace {
QString Quoted(const QString& text)
{
    return u'"' + text + u'"';
}

QString Position(int tab, int record)
{
    return TabLetter(tab) + u'-' + QString::number(record + 1);
}

// Cut and Copy name a record without typed text by its place in the list.
QString CutOrCopyName(int tab, int record)
{
    const std::optional<QString> line = FirstTypedLine(ReadRecord(tab, record));
    return line ? Quoted(*line) : QStringLiteral("list item #") + QString::number(record + 1);
}
} // namespace

RecordCells ReadRecord(int tab, int record)
{
    RecordCells cells;
    for (int item = Line1; item <= Selected; ++item)
        cells[static_cast<std::size_t>(item)] = LayoutData().cell(tab, record, item);
    return cells;
}

void WriteRecord(int tab, int record, const RecordCells& cells)
{
    for (int item = Line1; item <= Selected; ++item)
        LayoutData().setCell(tab, record, item, cells[static_cast<std::size_t>(item)]);
}

QString TabLetter(int tab)
{
    return QChar(u'A' + tab);
}

QString ListItemText(int record, const QString& line)
{
    return QString::number(record + 1) + QStringLiteral(". ") + line;
}

QString ListItemText(int tab, int record)
{
    for (int line = Line1; line <= Line6; ++line) {
        const QString& text = RecordCell(tab, record, static_cast<RecordItem>(line));
        if (!IsBlankText(text)) return ListItemText(record, text);
    }
    return ListItemText(record, QString());
}

std::optional<QString> FirstTypedLine(const RecordCells& cells)
{
    for (int line = Line1; line <= Line6; ++line)
        if (!cells[static_cast<std::size_t>(line)].isEmpty()) return cells[static_cast<std::size_t>(line)];
    return std::nullopt;
}

QString ClearQuestion(int tab, int record)
{
    const std::optional<QString> line = FirstTypedLine(ReadRecord(tab, record));
    return QStringLiteral("Clear record ") + (line ? Quoted(*line) : Position(tab, record)) + u'?';
}

QString CutQuestion(int tab, int record)
{
    return QStringLiteral("Cut ") + CutOrCopyName(tab, record) + QStringLiteral(" to memory?");
}

QString CopyQuestion(int tab, int record)
{
    return QStringLiteral("Copy ") + CutOrCopyName(tab, record) + QStringLiteral(" to memory?");
}

QString PasteQuestion(const RecordCells& memory, int tab, int record)
{
    QString name = QStringLiteral("the address in memory");
    for (int line = Line1; line <= Line6; ++line) {
        const QString& text = memory[static_cast<std::size_t>(line)];
        if (!IsBlankText(text)) {
            name = Quoted(text);
            break;
        }
    }
    return QStringLiteral("Paste ") + name + QStringLiteral(" into list position ") + Position(tab, record) + u'?';
}

void ClearAllRecords()
{
    for (int tab = 0; tab < TabCount; ++tab)
        for (int record = 0; record < RecordsPerTab; ++record) WriteRecord(tab, record, RecordCells());
}

void SelectAllRecords()
{
    for (int tab = 0; tab < TabCount; ++tab)
        for (int record = 0; record < RecordsPerTab; ++record)
            if (FirstTypedLine(ReadRecord(tab, record)))
                LayoutData().setCell(tab, record, Selected, QStringLiteral("True"));
}

void SelectNoRecords()
{
    for (int tab = 0; tab < TabCount; ++tab)
        for (int record = 0; record < RecordsPerTab; ++record) LayoutData().setCell(tab, record, Selected, QString());
}

} // namespace quillet

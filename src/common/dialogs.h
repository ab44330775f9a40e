#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;
class QWidget;

// Every message box, question and file, font or print dialog of the program goes through the one
// Dialogs service. The program installs the real one (widgets); tests and benchmarks install a
// scripted double that answers and records every call.
namespace quillet {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Icon { None, Warning, Question, Critical };
enum class Answer { None, Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// Message texts use CR (a single carriage return) as the line break; two CRs leave a blank line.
inline constexpr QChar CR = u'\r';
inline const QString ProgramTitle = QStringLiteral("Quillet");

struct MessageRequest {
    QString text;
    QString title = ProgramTitle;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Answer defaultButton = Answer::None; // None: the first button of the set
};

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString title;
    QString directory;
    QString initialName;
    QStringList nameFilters; // Qt form, e.g. "Quillet Data Files (*.QX3 *.qx3)"
    QString defaultSuffix;   // without the point
    bool confirmOverwrite = true;
};

struct FontChoice {
    QString family;
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    quint32 color = 0; // RGB, red in the low byte
};

enum class PrintSetupPurpose { Printing, Diagnostics };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual Answer message(const MessageRequest& request) = 0;
    // nullopt when the user cancelled.
    virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    // Lets the user change printer, paper and orientation of `printer`; false when cancelled.
    virtual bool printSetup(QPrinter& printer, PrintSetupPurpose purpose) = 0;
};

// The installed service. Installing replaces the previous one; the caller keeps ownership.
Dialogs& Ui();
void InstallDialogs(Dialogs* dialogs);

// The default button when a request names none: the first button of its set.
Answer EffectiveDefault(const MessageRequest& request);

// Shorthand for the common case.
Answer ShowMessage(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                   const QString& title = ProgramTitle, Answer defaultButton = Answer::None);

} // namespace quillet

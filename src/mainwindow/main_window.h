#pragma once

#include "mainwindow/print_command.h"

#include <QMainWindow>

#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillet {

class CheckedLineEdit;
class DrawingSurface;
class SteppingButton;

// The main window owns the program's lifetime: loading it starts the program, closing it ends it.
// It holds the layouts list (the current layout is its selected entry), the five label lines, the
// copies box, the first-label position and the choice of what to print.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Start-up: the running-copy question, the settings and the last data file (or a fresh data
    // set), the window placed and shown, with DataChanged false at the end. False when the
    // program must end at once (a second copy declined, or a failure that was reported).
    // With `fileToOpen` the window starts on a fresh data set and then opens that file as
    // File > Open does.
    bool load(const QString& fileToOpen = QString());

    // ---- layouts list ---------------------------------------------------------------------
    // Rebuilds the list from the usable layouts; selects nothing.
    void FillLayoutsList();
    // Applies the selected entry: captions and limits of the position boxes, default text, and
    // the tolerant checks with their warnings.
    void SelectLayout();
    // The strict check before a print run, against the printable area of `surface`.
    bool ValidateLayoutForPrint(DrawingSurface& surface);
    // FillLayoutsList, then the first entry when there is one.
    void refillLayoutsList();
    // Selects entry `index` (from 0) and applies it, even when it was selected already.
    void selectLayoutEntry(int index);
    // After the layouts editor closed: when it changed layouts, refill the list and select the
    // same position again if the number of entries is unchanged, else the first entry.
    void layoutsEditorClosed(bool layoutsListChanged);
    // Layout number (1-12) of the selected entry; 0 when nothing is selected.
    int currentLayoutNumber() const;

    // ---- what the print command and the print run read -------------------------------------
    // 1 the typed text, 2 all address-book entries, 3 the selected entries.
    int printWhat() const;
    // Line 1-5 of the label text.
    QString labelLine(int line) const;
    void setLabelLine(int line, const QString& text);
    QLineEdit* copiesBox() const;
    QLineEdit* startRowBox() const;
    QLineEdit* startColBox() const;

    // Rewrites the captions of the print-what options 2 and 3 from EntryCount and SelectedCount.
    void showAddressCounts();
    // Chooses print-what option 1-3, as a click on it does.
    void setPrintWhat(int option);
    // What the Print button hands to the print command: these controls, the current layout with
    // its strict check, and the selected printer.
    PrintCommandInputs printCommandInputs();
    // The copies and start boxes checked as when the focus leaves each of them, for text that was
    // put into all three at once (the command line). False when a box was refused.
    bool leaveEveryPositionBox();

    // ---- controls that later commands connect to -------------------------------------------
    QComboBox* layoutsList() const { return layoutsList_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* addressBookButton() const { return addressBookButton_; }
    QAction* newAction() const { return newAction_; }
    QAction* openAction() const { return openAction_; }
    QAction* saveAction() const { return saveAction_; }
    QAction* saveAsAction() const { return saveAsAction_; }
    QAction* layoutsEditorAction() const { return layoutsEditorAction_; }
    QAction* exitAction() const { return exitAction_; }
    QAction* helpContentsAction() const { return helpContentsAction_; }
    QAction* diagnosticsAction() const { return diagnosticsAction_; }
    QAction* aboutAction() const { return aboutAction_; }

protected:
    // Runs the unload; a failed save that the user does not want to leave keeps the window open.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectFileAndHelpMenus();
    void connectRunState();
    // The position kept in the settings, or centred on the screen.
    void restoreWindowPosition();
    // A silent save of changed data (unless read-only), the exit question when that save fails,
    // the window position, the settings file and the per-user settings, and the held data file
    // released. False when the close must not go on.
    bool unload();
    // File > Exit: closes the window, which runs the unload once.
    void fileExit();
    // The Print button: the print command on these controls, the current layout and its strict
    // check, and the selected printer.
    void printClicked();
    // The address book, modally; a changed address book is counted again when it closes.
    void openAddressBook();
    enum class Axis { Column, Row };
    struct PositionAxis {
        CheckedLineEdit* box = nullptr;
        SteppingButton* caption = nullptr;
        QLabel* plainCaption = nullptr;
    };

    void buildMenus();
    void buildControls();
    void connectControls();

    // layouts list
    void layoutsListClicked();
    bool applyPositionLimit(Axis axis, int layoutNumber);

    // label text
    void clearLabelText();
    void copyLabelToClipboard();
    void pasteLabelFromClipboard();
    // A pasted text of several lines: `lines` fill line `firstLine` and those below it.
    void pasteLabelLines(int firstLine, const QStringList& lines);

    // what to print
    void printWhatChosen(int option);
    void paintLabelBoxes(bool typed);

    // position for the first label
    PositionAxis& axis(Axis a) { return a == Axis::Column ? column_ : row_; }
    int layoutLimit(Axis a) const;
    bool hasCurrentLayout() const { return currentLayoutNumber() > 0; }
    void setCaption(Axis a, const QString& caption);
    void copiesLeft();
    // False when the box was refused (with its message) or could not be checked.
    bool startBoxLeft(Axis a);
    // The checks of the copies or start box that has the focus, as if the focus left it: Print
    // can be reached without moving the focus (an access key). False when the box was refused.
    bool leaveFocusedBox();
    void incrementKey(int key);
    void incrementMouse(Qt::MouseButton button);
    void captionKey(Axis a, int key);
    void captionMouse(Axis a, Qt::MouseButton button);
    void stepPosition(bool forward);

    QComboBox* layoutsList_ = nullptr;
    QGroupBox* labelFrame_ = nullptr;
    std::array<QLineEdit*, 5> labelBoxes_{};
    QPushButton* clearButton_ = nullptr;
    QPushButton* addressBookButton_ = nullptr;
    std::array<QRadioButton*, 3> printWhatOptions_{};
    CheckedLineEdit* copiesBox_ = nullptr;
    PositionAxis column_;
    PositionAxis row_;
    SteppingButton* incrementButton_ = nullptr;
    QPushButton* printButton_ = nullptr;

    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* layoutsEditorAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* helpContentsAction_ = nullptr;
    QAction* diagnosticsAction_ = nullptr;
    QAction* aboutAction_ = nullptr;

    // A focus-leaving check is running; the focus moves it causes are not checked again.
    bool checkingBox_ = false;
};

} // namespace quillet

#pragma once

#include "layouts/layout_editing.h"

#include <QDialog>

#include <array>

class QAction;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace quillet {

class CheckedLineEdit;

// The layouts editor: the list of the twelve layout slots beside three pages of the selected
// layout's sheet, text and fonts, and positioning. Every change goes into the table at once; there
// is nothing to confirm or undo. Closing keeps at least one layout usable by the main window.
class LayoutsEditor : public QDialog {
    Q_OBJECT
public:
    // Opens on the checked layout titled `mainWindowTitle` (the later of two), else on layout 1.
    explicit LayoutsEditor(const QString& mainWindowTitle, QWidget* parent = nullptr);

    // The close box, Escape and "Close Editor": closes unless no layout would be usable and the
    // user does not let layout 1 be made usable.
    void reject() override;

private:
    void buildControls();
    QWidget* buildSheetPage();
    QWidget* buildTextPage();
    QWidget* buildPositioningPage();
    void buildEditMenu();
    void connectControls();

    // Layout number (1-12) of the selected list item; 0 when none is.
    int layoutNumber() const;
    void fillList(const QString& mainWindowTitle);
    // Fills every control from the selected layout; each control whose content changes writes
    // its field back as if the user had changed it.
    void showLayout();

    // The list
    void checkChanged(int row, bool checked);
    void setCheck(int row, bool checked);
    void clearLayout();
    void copyLayout();
    void cutLayout();
    void pasteLayout();
    void clipboardFilled(const LayoutRecord& record);

    // Change handlers and the checks when a number box is left
    void numberChanged(NumberBox box);
    void numberLeft(NumberBox box);
    void titleChanged();
    void setField(LayoutField field, const QString& text);
    void defaultTextClicked(bool checked);
    void paintTextBoxes(bool enabled);

    // Fonts
    void chooseFont(int line);
    void useFirstLineFontClicked(bool checked);
    void factoryFonts();
    void showFontSample();

    void showPresets();

    void fieldHelp(int caption);

    QListWidget* list_ = nullptr;
    std::array<bool, LayoutCount> checks_{};
    QTabWidget* tabs_ = nullptr;
    std::array<CheckedLineEdit*, NumberBoxCount> numberBoxes_{};
    QLineEdit* titleBox_ = nullptr;
    QCheckBox* defaultTextBox_ = nullptr;
    std::array<QLineEdit*, 5> textBoxes_{};
    std::array<QPushButton*, 5> fontButtons_{};
    QCheckBox* firstLineFontBox_ = nullptr;
    std::array<QRadioButton*, 2> alignment_{};
    QAction* pasteAction_ = nullptr;
};

// File > Layouts Editor: clears LayoutsListChanged and runs the editor modally over `parent`.
// Afterwards LayoutsListChanged tells whether titles or checks changed.
void OpenLayoutsEditor(QWidget* parent, const QString& mainWindowTitle);

} // namespace quillet

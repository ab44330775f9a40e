#pragma once

#include "common/dialogs.h"
#include "model/layout_data.h"

#include <QString>
#include <QStringView>

// What the layouts editor does to the table, without its window: how a layout's numbers are shown,
// written and checked, the list's texts and questions, whole-layout copies, and the font records.
namespace quillet {

// ---- the seven number boxes -----------------------------------------------------------------
enum class NumberBox { Columns, Rows, SideToSide, TopToTop, LabelWidth, LeftOffset, TopOffset };
constexpr int NumberBoxCount = 7;

// The editor's pages.
enum EditorPage { SheetPage = 0, TextAndFontsPage = 1, PositioningPage = 2 };

struct NumberBoxRule {
    const char* objectName;
    const char* accessibleName;
    LayoutField field;
    EditorPage page;
    int typingLimit; // characters; 0: none
};
const NumberBoxRule& RuleOf(NumberBox box);

// The text a box shows for the stored field: the value within its range, else the box's default.
QString ShownNumberText(NumberBox box, QStringView stored);

// The field's text for what the box holds, at every keystroke: the offsets in plain form
// ("0.5"), the others in short form (" .5"). Text that is not a number writes 0.
QString WrittenNumberText(NumberBox box, QStringView boxText);

// The check when the user leaves a box: either a refusal with its message and the text the box is
// reset to, or the box's normalised text.
struct BoxCheck {
    QString message; // empty: accepted
    QString text;
    EditorPage page = SheetPage;
};
BoxCheck CheckNumberBox(NumberBox box, QStringView boxText);

// ---- the list of the twelve layouts ---------------------------------------------------------
// "3. Avery 5163/8163"; a layout without title shows "3. ".
QString LayoutListItemText(int layoutNumber);
QString ClearLayoutQuestion(int layoutNumber);
QString CutLayoutQuestion(int layoutNumber);
// The position pasted into, and the title held in the clipboard.
QString PasteLayoutQuestion(int layoutNumber, const LayoutRecord& clipboard);

// The layout's properties and font records; sub-entries 2-6 are never part of it.
LayoutRecord ReadLayoutRecord(int layoutNumber);
void WriteLayoutRecord(int layoutNumber, const LayoutRecord& record);

bool AnyLayoutUsable();

// ---- per-line fonts -------------------------------------------------------------------------
// What the font dialog starts from for line 1-5: the name trimmed, a size outside 3-50 points as
// 10, a negative colour as black. A colour too large for a whole number throws Failure(Overflow).
FontChoice FontDialogStart(int layoutNumber, int line);
// The six cells of the line's record as the dialog returned them: sizes and colours in short form.
void WriteFontChoice(int layoutNumber, int line, const FontChoice& font);
// Every line back to Arial 10, plain and black: all thirty cells emptied first.
void ResetLayoutFonts(int layoutNumber);

} // namespace quillet

#pragma once

#include "common/dialogs.h"

namespace quillet {

// The real dialogs: QMessageBox, QFileDialog, QFontDialog and the print setup dialog.
class WidgetDialogs : public Dialogs {
public:
    Answer message(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    bool printSetup(QPrinter& printer, PrintSetupPurpose purpose) override;
};

} // namespace quillet

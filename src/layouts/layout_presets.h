#pragma once

#include "layouts/preset_catalogue.h"

#include <QDialog>

#include <array>

class QLabel;
class QListWidget;
class QPushButton;

namespace quillet {

// The presets window: the catalogue's Avery numbers, the layout the selected one stands for, and
// a button that copies it into the one-layout memory, from which the editor's Paste Layout fills
// a slot. It never writes the table itself.
class LayoutPresets : public QDialog {
    Q_OBJECT
public:
    explicit LayoutPresets(QWidget* parent = nullptr);

protected:
    // Closing forgets the preset last selected.
    void done(int result) override;

private:
    void presetSelected();
    void copyPreset();

    QListWidget* list_ = nullptr;
    std::array<QLabel*, PresetDetailCount> details_{};
    QPushButton* copy_ = nullptr;
};

} // namespace quillet

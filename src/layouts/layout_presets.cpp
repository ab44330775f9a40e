#include "layouts/layout_presets.h"

#include "common/numbers.h"
#include "model/run_state.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

namespace {

struct DetailCaption {
    const char* caption;
    const char* objectName;
};
const DetailCaption Captions[PresetDetailCount] = {
    {"Title:", "PresetTitle"},
    {"Columns of Labels:", "PresetColumns"},
    {"Rows of Labels:", "PresetRows"},
    {"Side to Side Distance:", "PresetSideToSide"},
    {"Top to Top Distance:", "PresetTopToTop"},
    {"Label Width:", "PresetLabelWidth"},
    {"Left Offset:", "PresetLeftOffset"},
    {"Top Offset:", "PresetTopOffset"},
    {"Text Alignment:", "PresetAlignment"},
};

} // namespace

LayoutPresets::LayoutPresets(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LayoutPresets"));
    setWindowTitle(QStringLiteral("Layout Presets"));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("PresetsList"));
    list_->setAccessibleName(QStringLiteral("Presets (Avery numbers)"));
    list_->addItems(PresetNumbers());
    auto* caption = new QLabel(QStringLiteral("Presets"), this);
    caption->setBuddy(list_);
    auto* left = new QVBoxLayout;
    left->addWidget(caption);
    left->addWidget(new QLabel(QStringLiteral("(Avery numbers)"), this));
    left->addWidget(list_, 1);

    auto* frame = new QGroupBox(QStringLiteral("Detail"), this);
    frame->setObjectName(QStringLiteral("DetailFrame"));
    auto* grid = new QGridLayout(frame);
    for (int i = 0; i < PresetDetailCount; ++i) {
        const QString name = QString::fromLatin1(Captions[i].caption);
        auto* value = new QLabel(frame);
        value->setObjectName(QString::fromLatin1(Captions[i].objectName));
        value->setAccessibleName(name.chopped(1));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        details_[static_cast<std::size_t>(i)] = value;
        grid->addWidget(new QLabel(name, frame), i, 0);
        grid->addWidget(value, i, 1);
    }
    grid->setColumnMinimumWidth(1, fontMetrics().horizontalAdvance(QStringLiteral("0000.0000 inches")));

    copy_ = new QPushButton(QStringLiteral("Copy Selected Preset to Memory"), this);
    copy_->setObjectName(QStringLiteral("CopyPresetButton"));
    copy_->setEnabled(false);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    auto* right = new QVBoxLayout;
    right->addWidget(frame);
    right->addWidget(copy_);
    right->addStretch(1);
    right->addWidget(close);

    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left);
    whole->addLayout(right, 1);

    connect(list_, &QListWidget::currentRowChanged, this, &LayoutPresets::presetSelected);
    connect(copy_, &QPushButton::clicked, this, &LayoutPresets::copyPreset);
    connect(close, &QPushButton::clicked, this, &LayoutPresets::reject);
}

void LayoutPresets::done(int result)
{
    Run().presetLayout = LayoutRecord();
    QDialog::done(result);
}

void LayoutPresets::presetSelected()
{
    copy_->setEnabled(false);
    const QListWidgetItem* item = list_->currentItem();
    if (!item) return;
    const double n = ReadNumber(item->text());
    if (n < 5000 || n > 9000) return;
    Run().presetLayout = PresetRecord(static_cast<int>(n));
    const auto values = PresetDetails(Run().presetLayout);
    for (int i = 0; i < PresetDetailCount; ++i)
        details_[static_cast<std::size_t>(i)]->setText(values[static_cast<std::size_t>(i)]);
    copy_->setEnabled(true);
}

void LayoutPresets::copyPreset()
{
    Run().layoutClipboard = Run().presetLayout;
    Run().layoutClipboardFull = true;
}

} // namespace quillet

#include "addressbook/record_list.h"

#include "model/layout_data.h"

namespace quillet {

RecordList::RecordList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    quietly([this] {
        for (int row = 0; row < RecordsPerTab; ++row) {
            auto* item = new QListWidgetItem(this);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    });
    // A check toggled by the user changes only the check-state role of its item.
    connect(model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex&, const QList<int>& roles) {
                if (quiet_ || !roles.contains(Qt::CheckStateRole)) return;
                const int row = first.row();
                // Toggling a check also highlights its item, so the check acts on the record shown.
                if (currentRow() != row) setCurrentRow(row);
                Q_EMIT checkToggled(row, isChecked(row));
            });
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!quiet_ && row >= 0) Q_EMIT highlightMoved(row);
    });
}

void RecordList::setRecord(int row, const QString& text, bool checked)
{
    quietly([&] {
        item(row)->setText(text);
        item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    });
}

void RecordList::setItemText(int row, const QString& text)
{
    quietly([&] { item(row)->setText(text); });
}

void RecordList::highlight(int row)
{
    quietly([&] { setCurrentRow(row); });
    scrollToItem(item(row));
}

bool RecordList::isChecked(int row) const
{
    return item(row)->checkState() == Qt::Checked;
}

} // namespace quillet

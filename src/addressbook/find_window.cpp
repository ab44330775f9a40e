#include "addressbook/find_window.h"

#include "addressbook/address_records.h"
#include "common/dialogs.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

namespace {
const QString NewSearch = QStringLiteral("Search");
const QString NextSearch = QStringLiteral("Search For Next One");

QLabel* AddLabel(QWidget* parent, const char* objectName, const QString& accessibleName)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setAccessibleName(accessibleName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

FindWindow::FindWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Find"));
    setWindowTitle(QStringLiteral("Find Address Book Record"));

    searchText_ = new QLineEdit(this);
    searchText_->setObjectName(QStringLiteral("SearchText"));
    searchText_->setMaxLength(50);
    searchText_->setMinimumWidth(searchText_->fontMetrics().averageCharWidth() * 30);
    searchText_->installEventFilter(this);
    auto* searchCaption = new QLabel(QStringLiteral("Text to Search For"), this);
    searchCaption->setObjectName(QStringLiteral("SearchTextLabel"));
    searchCaption->setBuddy(searchText_);
    searchButton_ = new QPushButton(NewSearch, this);
    searchButton_->setObjectName(QStringLiteral("SearchButton"));

    matchFrame_ = new QGroupBox(QStringLiteral("Match Found"), this);
    matchFrame_->setObjectName(QStringLiteral("MatchFrame"));
    matchFrame_->setEnabled(false);
    titleLabel_ = AddLabel(matchFrame_, "TitleLabel", QStringLiteral("Title of the match"));
    letterLabel_ = AddLabel(matchFrame_, "LetterLabel", QStringLiteral("Letter of the match"));
    numberLabel_ = AddLabel(matchFrame_, "NumberLabel", QStringLiteral("Number of the match"));
    setABButton_ = new QPushButton(QStringLiteral("Set Address Book to This Record"), matchFrame_);
    setABButton_->setObjectName(QStringLiteral("SetABButton"));
    auto* matchLayout = new QFormLayout(matchFrame_);
    for (QLabel* label : {titleLabel_, letterLabel_, numberLabel_}) {
        // "TitleLabel" is captioned "Title:".
        const QString name = label->objectName();
        auto* caption = new QLabel(name.left(name.size() - 5) + u':', matchFrame_);
        caption->setObjectName(name + QStringLiteral("Caption"));
        caption->setBuddy(label);
        matchLayout->addRow(caption, label);
    }
    matchLayout->addRow(setABButton_);

    cLet_ = AddLabel(this, "CLet", QStringLiteral("Letter being searched"));
    cNum_ = AddLabel(this, "CNum", QStringLiteral("Number being searched"));
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchText_, 1);
    searchRow->addWidget(searchButton_);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(cLet_);
    bottomRow->addWidget(cNum_);
    bottomRow->addStretch(1);
    bottomRow->addWidget(closeButton);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(searchCaption);
    whole->addLayout(searchRow);
    whole->addWidget(matchFrame_, 1);
    whole->addLayout(bottomRow);

    connect(searchButton_, &QPushButton::clicked, this, &FindWindow::search);
    connect(searchText_, &QLineEdit::textChanged, this, &FindWindow::searchTextEdited);
    connect(setABButton_, &QPushButton::clicked, this,
            [this] { Q_EMIT placeChosen(shownMatch_.tab, shownMatch_.record); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool FindWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == searchText_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Taken here, so the dialog does not press the focused Search button a second time.
            searchButton_->setFocus();
            search();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FindWindow::search()
{
    const bool continuing = lastMatch_.has_value();
    RecordPlace from;
    if (continuing) {
        const std::optional<RecordPlace> next = PlaceAfter(*lastMatch_);
        if (!next) {
            ShowMessage(QStringLiteral("End of Search"));
            endSearch();
            return;
        }
        from = *next;
    }
    const std::optional<RecordPlace> match =
        FindRecord(searchText_->text(), from, [this](RecordPlace place) { showExamining(place); });
    if (match) {
        showMatch(*match);
        return;
    }
    // The frame keeps showing the last match, if any.
    ShowMessage(continuing ? QStringLiteral("No more matches found") : QStringLiteral("No matches found"));
    endSearch();
}

void FindWindow::showExamining(RecordPlace place)
{
    // The user sees the scan run.
    const QString letter = TabLetter(place.tab);
    if (cLet_->text() != letter) {
        cLet_->setText(letter);
        cLet_->repaint();
    }
    cNum_->setText(QString::number(place.record + 1));
    cNum_->repaint();
}

void FindWindow::showMatch(RecordPlace place)
{
    lastMatch_ = place;
    shownMatch_ = place;
    titleLabel_->setText(MatchTitle(place));
    letterLabel_->setText(cLet_->text());
    numberLabel_->setText(cNum_->text());
    matchFrame_->setEnabled(true);
    searchButton_->setText(NextSearch);
}

void FindWindow::endSearch()
{
    lastMatch_.reset();
    cLet_->clear();
    cNum_->clear();
    searchButton_->setText(NewSearch);
}

void FindWindow::searchTextEdited()
{
    endSearch();
    for (QLabel* label : {letterLabel_, numberLabel_, titleLabel_}) label->clear();
    matchFrame_->setEnabled(false);
}

} // namespace quillet

#include "common/font_color_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

namespace {

// The table keeps colours as red + 256 x green + 65536 x blue.
QColor FromStored(quint32 value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

quint32 ToStored(const QColor& color)
{
    return static_cast<quint32>(color.red()) | static_cast<quint32>(color.green()) << 8 |
           static_cast<quint32>(color.blue()) << 16;
}

} // namespace

FontColorDialog::FontColorDialog(const FontChoice& initial, QWidget* parent)
    : QDialog(parent), fonts_(new QFontDialog(this)), colorButton_(new QPushButton(QStringLiteral("Co&lor..."), this)),
      sizeNote_(new QLabel(this))
{
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(QStringLiteral("Font"));
    // The font dialog lives inside this one, which brings the colour and the buttons.
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // A face that is not installed ("Arial" on many systems) would open the dialog on its default
    // face in its plain style: open it on the face that stands in for it, bold or italic as stored.
    QFont font(QFontDatabase::hasFamily(initial.family) ? initial.family : QFontInfo(QFont(initial.family)).family());
    font.setPointSizeF(initial.pointSize);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setUnderline(initial.underline);
    fonts_->setCurrentFont(font);

    colorButton_->setObjectName(QStringLiteral("ColorButton"));
    colorButton_->setAutoDefault(false);
    connect(colorButton_, &QPushButton::clicked, this, &FontColorDialog::chooseColor);
    setColor(FromStored(initial.color));
    sizeNote_->setObjectName(QStringLiteral("SizeNote"));
    sizeNote_->setText(QStringLiteral("Size must be between 3 and 50 points."));
    sizeNote_->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FontColorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FontColorDialog::reject);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(QStringLiteral("Text color:"), this));
    colorRow->addWidget(colorButton_);
    colorRow->addStretch(1);
    colorRow->addWidget(sizeNote_);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(fonts_);
    whole->addLayout(colorRow);
    whole->addWidget(buttons);
}

FontChoice FontColorDialog::choice() const
{
    const QFont font = fonts_->currentFont();
    FontChoice c;
    c.family = font.family();
    c.pointSize = font.pointSizeF();
    c.bold = font.bold();
    c.italic = font.italic();
    c.underline = font.underline();
    c.color = ToStored(color_);
    return c;
}

void FontColorDialog::setColor(const QColor& color)
{
    color_ = color;
    QPixmap swatch(24, 14);
    swatch.fill(color);
    colorButton_->setIcon(QIcon(swatch));
    colorButton_->setAccessibleName(QStringLiteral("Text color ") + color.name());
}

void FontColorDialog::accept()
{
    const double size = fonts_->currentFont().pointSizeF();
    if (size < SmallestSize || size > LargestSize) {
        sizeNote_->show();
        return;
    }
    QDialog::accept();
}

void FontColorDialog::chooseColor()
{
    const QColor chosen = QColorDialog::getColor(color_, this, QStringLiteral("Text Color"));
    if (chosen.isValid()) setColor(chosen);
}

} // namespace quillet

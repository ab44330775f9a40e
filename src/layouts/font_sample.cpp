#include "layouts/font_sample.h"

#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/steps.h"
#include "layouts/font_sample_drawing.h"
#include "model/layout_data.h"
#include "printing/painter_surface.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace quillet {

FontSample::FontSample(int layoutNumber, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FontSample"));
    setWindowTitle(QStringLiteral("Font Sample"));

    FontSampleExtent extent;
    {
        PainterSurface surface(&picture_);
        try {
            extent =
                DrawFontSample(surface, FontSampleLines(layoutNumber), IsOneFlag(LayoutCell(layoutNumber, Alignment)));
        } catch (...) {
            // The window still opens, with what was drawn so far.
            const Failure failure = Steps::ToFailure(std::current_exception());
            ShowMessage(QStringLiteral("Error loading Font Sample form: ") + failure.description + CR + CR +
                        QStringLiteral("Error Number:  ") + QString::number(failure.number));
        }
    }

    // The white area: 100 twips around the text, and below it as much room again as the lines take.
    const auto pixels = [](double twips, int dpi) { return int(std::lround(twips * dpi / 1440.0)); };
    const QSize area(pixels(extent.widestLine + 200.0, picture_.logicalDpiX()),
                     pixels(extent.totalHeight + 200.0, picture_.logicalDpiY()));
    picture_.setBoundingRect(QRect(QPoint(0, 0), area));

    auto* canvas = new QLabel(this);
    canvas->setObjectName(QStringLiteral("SampleArea"));
    canvas->setAccessibleName(QStringLiteral("Sample of the layout's five lines"));
    canvas->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    canvas->setAutoFillBackground(true);
    QPalette white = canvas->palette();
    white.setColor(QPalette::Window, Qt::white);
    canvas->setPalette(white);
    canvas->setPicture(picture_);
    canvas->setFixedSize(area);

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QPushButton::clicked, this, &FontSample::accept);

    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->setSpacing(0);
    whole->addWidget(canvas);
    whole->addWidget(close);
    whole->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace quillet

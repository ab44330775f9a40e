#pragma once

#include <QMarginsF>
#include <QSizeF>
#include <QString>

#include <optional>

// What the print system (CUPS) knows about a printer queue's paper, and handing it a job. Qt's own
// printer support keeps a built-in paper and default margins for a queue; these answers are the
// queue's own, from its driver.
namespace quillet {

struct QueuePaper {
    QString media;       // the print system's name, as a job asks for it ("na_letter_8.5x11in")
    QString displayName; // as the driver names it for people ("US Letter")
    QSizeF size;         // points, portrait
    QMarginsF margins;   // the unprintable margins in points, portrait
};

// The paper the queue prints on when a job names none: the user's own default for the queue, or
// the driver's. Nothing when the queue or the print system cannot be reached.
std::optional<QueuePaper> QueueDefaultPaper(const QString& queue);

// The queue's paper of this size (points, portrait; the print system's tolerance of about a
// millimetre applies). Nothing when the queue has no such paper or cannot be reached.
std::optional<QueuePaper> QueuePaperOfSize(const QString& queue, QSizeF points);

// Hands a PDF file to the queue as one job, printed on the named paper exactly as drawn (never
// scaled to fit). Returns the job's number; throws Failure with the print system's reason when
// the job is refused.
int SubmitPdfJob(const QString& queue, const QString& path, const QString& title, const QString& media);

} // namespace quillet

#include "printing/print_queue.h"

#include "common/failure.h"

#include <QFile>
#include <QPageSize>
#include <QPrinterInfo>

#include <cups/cups.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace quillet {

namespace {

// The print system measures paper in hundredths of a millimetre.
constexpr double PointsPerUnit = 72.0 / 2540.0;

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
struct InfoDeleter {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};

// A queue with what its driver says about it.
struct Queue {
    std::unique_ptr<cups_dest_t, DestDeleter> dest;
    std::unique_ptr<cups_dinfo_t, InfoDeleter> info;
};

std::optional<Queue> OpenQueue(const QString& name)
{
    Queue queue;
    const QByteArray encoded = name.toUtf8();
    queue.dest.reset(cupsGetNamedDest(CUPS_HTTP_DEFAULT, encoded.constData(), nullptr));
    if (!queue.dest) return std::nullopt;
    queue.info.reset(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, queue.dest.get()));
    if (!queue.info) return std::nullopt;
    return queue;
}

QueuePaper ToPaper(const QString& queue, const cups_size_t& size)
{
    QueuePaper paper;
    paper.media = QString::fromUtf8(size.media);
    paper.size = QSizeF(size.width * PointsPerUnit, size.length * PointsPerUnit);
    // The driver's name for the paper, as the print dialog shows it (drivers often list one size
    // under two names, so its standard key decides); the print system's otherwise.
    paper.displayName = paper.media;
    const pwg_media_t* standard = pwgMediaForSize(size.width, size.length);
    const QString key = standard && standard->ppd ? QString::fromLatin1(standard->ppd) : QString();
    const QList<QPageSize> known = QPrinterInfo::printerInfo(queue).supportedPageSizes();
    const auto same = [&](const QPageSize& p) {
        const QSizeF points = p.sizePoints();
        return qAbs(points.width() - paper.size.width()) < 1 && qAbs(points.height() - paper.size.height()) < 1;
    };
    auto match =
        std::find_if(known.begin(), known.end(), [&](const QPageSize& p) { return p.key() == key && same(p); });
    if (match == known.end()) match = std::find_if(known.begin(), known.end(), same);
    if (match != known.end()) paper.displayName = match->name();
    paper.margins = QMarginsF(size.left * PointsPerUnit, size.top * PointsPerUnit, size.right * PointsPerUnit,
                              size.bottom * PointsPerUnit);
    return paper;
}

std::optional<QueuePaper> PaperOfSize(const Queue& q, const QString& queue, QSizeF points)
{
    cups_size_t size{};
    const int width = qRound(points.width() / PointsPerUnit);
    const int length = qRound(points.height() / PointsPerUnit);
    if (!cupsGetDestMediaBySize(CUPS_HTTP_DEFAULT, q.dest.get(), q.info.get(), width, length, CUPS_MEDIA_FLAGS_DEFAULT,
                                &size))
        return std::nullopt;
    return ToPaper(queue, size);
}

} // namespace

std::optional<QueuePaper> QueueDefaultPaper(const QString& queue)
{
    const std::optional<Queue> q = OpenQueue(queue);
    if (!q) return std::nullopt;
    // The user's own default for the queue comes first, then the queue's. Names come in the print
    // system's, the driver's or older forms; their size is what counts.
    const QByteArray media = cupsGetOption("media", q->dest->num_options, q->dest->options);
    const QByteArray pageSize = cupsGetOption("PageSize", q->dest->num_options, q->dest->options);
    const pwg_media_t* named = nullptr;
    for (const QByteArray& name : {media, pageSize}) {
        if (named || name.isEmpty()) continue;
        named = pwgMediaForPWG(name.constData());
        if (!named) named = pwgMediaForPPD(name.constData());
        if (!named) named = pwgMediaForLegacy(name.constData());
    }
    QSizeF points;
    if (named) {
        points = QSizeF(named->width, named->length) * PointsPerUnit;
    } else {
        // The driver's default paper. (libcups' own lookup ignores it and falls back to Letter, and
        // the scheduler leaves its name empty when the driver lists the paper twice.)
        const QPageSize driverDefault = QPrinterInfo::printerInfo(queue).defaultPageSize();
        if (!driverDefault.isValid()) return std::nullopt;
        points = driverDefault.size(QPageSize::Point);
    }
    return PaperOfSize(*q, queue, points);
}

std::optional<QueuePaper> QueuePaperOfSize(const QString& queue, QSizeF points)
{
    const std::optional<Queue> q = OpenQueue(queue);
    if (!q) return std::nullopt;
    return PaperOfSize(*q, queue, points);
}

int SubmitPdfJob(const QString& queue, const QString& path, const QString& title, const QString& media)
{
    cups_option_t* options = nullptr;
    int count = 0;
    // The document is the paper itself: no fitting into the printable area, one page per sheet.
    count = cupsAddOption("print-scaling", "none", count, &options);
    count = cupsAddOption("fit-to-page", "false", count, &options);
    count = cupsAddOption("number-up", "1", count, &options);
    count = cupsAddOption("document-format", "application/pdf", count, &options);
    const QByteArray mediaName = media.toUtf8();
    if (!media.isEmpty()) count = cupsAddOption("media", mediaName.constData(), count, &options);
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), QFile::encodeName(path).constData(),
                                   title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job <= 0) {
        const QString reason = QString::fromUtf8(cupsLastErrorString());
        throw Failure(EIO, QStringLiteral("The print system refused the job for printer ") + queue +
                               (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
    }
    return job;
}

} // namespace quillet

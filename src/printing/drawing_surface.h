#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <QHash>

#include <cstdint>
#include <vector>

// The printer drawing surface: what the print engine, the layout checks and the diagnostics rely
// on, whatever realises it (a printer, a PDF file, a recording for tests). Positions and sizes are
// in the current unit (inches or twips); the origin is the top-left corner of the printable area,
// y growing downward.
namespace quillet {

// Device-capability indexes, as the printer driver interface numbers them.
enum DeviceCapability {
    HORZSIZE = 4,
    VERTSIZE = 6,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
    PHYSICALWIDTH = 110,
    PHYSICALHEIGHT = 111,
    PHYSICALOFFSETX = 112,
    PHYSICALOFFSETY = 113,
};

// The sheet as the device reports it, in device pixels.
struct DeviceGeometry {
    double dpiX = 0;
    double dpiY = 0;
    QSizeF paper;     // the whole sheet
    QRectF printable; // the printable area, relative to the sheet's top-left corner
};

class DrawingSurface {
public:
    enum class Unit { Inches, Twips };

    virtual ~DrawingSurface() = default;

    // ---- the device -----------------------------------------------------------------------
    virtual DeviceGeometry geometry() const = 0;
    virtual QString deviceName() const = 0;
    virtual QString driverName() const = 0;
    virtual QString portName() const = 0;
    // LOGPIXELSX/Y, PHYSICALWIDTH/HEIGHT, PHYSICALOFFSETX/Y in pixels, HORZSIZE/VERTSIZE in whole
    // millimetres; 0 for any other index.
    int GetDeviceCaps(int index) const;

    // While held, the device geometry is read once and each text is measured, and shaped for
    // painting, once per font. A print run holds it from start to end, while the sheet cannot
    // change; copies repeat every text many times.
    void holdGeometry(bool hold);

    // ---- units and sizes ------------------------------------------------------------------
    void setUnit(Unit unit) { unit_ = unit; }
    Unit unit() const { return unit_; }
    // The whole sheet: the printable area plus the unprintable margins.
    double sheetWidth() const;
    double sheetHeight() const;
    double printableWidth() const;
    double printableHeight() const;

    // ---- position -------------------------------------------------------------------------
    double currentX = 0;
    double currentY = 0;

    // ---- text attributes ------------------------------------------------------------------
    void setFontName(const QString& name);
    void setFontSize(float points);
    float fontSize() const { return fontSize_; }
    QString fontName() const { return fontName_; }
    void setFontBold(bool on);
    void setFontItalic(bool on);
    void setFontUnderline(bool on);
    bool fontBold() const { return bold_; }
    bool fontItalic() const { return italic_; }
    bool fontUnderline() const { return underline_; }
    // RGB, red in the low byte.
    void setForeColor(std::uint32_t rgb) { foreColor_ = rgb; }
    std::uint32_t foreColor() const { return foreColor_; }
    virtual void setColorMode(bool colour) { colour_ = colour; }
    bool colorMode() const { return colour_; }
    // The current font as Qt sees it.
    const QFont& font() const;

    // ---- text -----------------------------------------------------------------------------
    // In the current font and unit; the height of "X" is the line advance.
    double textWidth(const QString& text) const;
    double textHeight(const QString& text) const;
    // Draws with the text's top-left corner at the current position; the position is unchanged.
    void drawText(const QString& text);
    // Moves to the next line; like any drawing, it opens a document when none is open.
    void drawEmptyLine();

    // ---- documents ------------------------------------------------------------------------
    // Ends the current sheet; later drawing goes on a fresh sheet of the same document.
    virtual void newPage() = 0;
    // Sends everything drawn since the document opened as one job; nothing when nothing was drawn.
    virtual void endDocument() = 0;
    // Discards the open document: nothing of it is printed.
    virtual void abandonDocument() = 0;

protected:
    // A text in one font, remembered while the geometry is held: its width and, once a surface
    // has painted it, whatever that surface keeps to paint it again without laying it out.
    struct KnownText {
        double width = -1; // device pixels; -1 until measured
        bool shaped = false;
        QList<QGlyphRun> glyphs; // positioned for a top-left corner at the origin
    };

    // Device pixels, origin at the printable area's top-left corner.
    virtual double measureWidth(const QFont& font, const QString& text) const = 0;
    virtual double lineAdvance(const QFont& font) const = 0;
    virtual void paintText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text) = 0;
    // Paints a text that is remembered while the geometry is held; `known` may keep its shape.
    virtual void paintKnownText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text,
                                KnownText& known)
    {
        Q_UNUSED(known);
        paintText(font, rgb, topLeft, text);
    }
    // Makes sure a document is open (called before any drawing).
    virtual void openDocument() = 0;

    double toPixelsX(double value) const;
    double toPixelsY(double value) const;
    double fromPixelsX(double pixels) const;
    double fromPixelsY(double pixels) const;

private:
    struct FontEntry {
        QString name;
        float size = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        QFont font;
        double advance = -1; // device pixels; remembered while the geometry is held
        QHash<QString, KnownText> texts;
    };

    double unitsPerInch() const { return unit_ == Unit::Inches ? 1.0 : 1440.0; }
    const DeviceGeometry& device() const;
    FontEntry& currentFont() const;
    KnownText& known(FontEntry& font, const QString& text) const;
    double advancePixels() const;

    Unit unit_ = Unit::Twips;
    QString fontName_;
    float fontSize_ = 10.0f;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    std::uint32_t foreColor_ = 0;
    bool colour_ = false;
    mutable std::vector<FontEntry> fonts_;
    mutable std::size_t current_ = 0;
    mutable bool fontDirty_ = true;
    bool held_ = false;
    mutable DeviceGeometry device_;
};

// Holds a surface's geometry for the lifetime of the guard.
class GeometryHold {
public:
    explicit GeometryHold(DrawingSurface& surface) : surface_(surface) { surface_.holdGeometry(true); }
    ~GeometryHold() { surface_.holdGeometry(false); }
    GeometryHold(const GeometryHold&) = delete;
    GeometryHold& operator=(const GeometryHold&) = delete;

private:
    DrawingSurface& surface_;
};

} // namespace quillet

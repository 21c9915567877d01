#pragma once

#include <QFontMetricsF>
#include <QHash>
#include <QRawFont>
#include <QString>

class QFont;
class QPaintDevice;
class QPainter;
class QPointF;

// A printing font on one device. A print job measures and draws the same few hundred
// characters hundreds of thousands of times, so each character is looked up once: its advance
// and its glyph. With kerning off (see PrintRenderer::baseFont) a text is exactly as wide as its
// characters together, and drawn glyph by glyph it needs no shaping.
class PrintFont
{
public:
    PrintFont(const QFont& font, QPaintDevice* device);

    const QFontMetricsF& metrics() const { return m_metrics; }

    qreal width(const QString& text);

    // Blanks are passed over rather than drawn, which keeps a PDF small. A character the font
    // has no glyph for goes to Qt's own drawing, which finds it in another font, and so does
    // all text of a print preview: its recording keeps glyph runs as outlines, far bigger.
    void draw(QPainter& painter, const QPointF& origin, const QString& text);

private:
    struct Glyph
    {
        quint32 index;
        qreal advance;
    };

    Glyph glyphOf(QChar character);

    QFontMetricsF m_metrics;
    QRawFont m_glyphs;
    QHash<char16_t, Glyph> m_known;
};

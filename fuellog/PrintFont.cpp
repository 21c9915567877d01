#include "fuellog/PrintFont.h"

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPaintEngine>
#include <QPainter>

PrintFont::PrintFont(const QFont& font, QPaintDevice* device)
    : m_metrics(font, device), m_glyphs(QRawFont::fromFont(QFont(font, device)))
{
}

qreal PrintFont::width(const QString& text)
{
    qreal width = 0;
    for (const QChar character : text)
        width += glyphOf(character).advance;
    return width;
}

void PrintFont::draw(QPainter& painter, const QPointF& origin, const QString& text)
{
    const QPaintEngine::Type engine = painter.paintEngine()->type();
    if (engine != QPaintEngine::Pdf && engine != QPaintEngine::Raster) {
        painter.drawText(origin, text);
        return;
    }
    QList<quint32> indexes;
    QList<QPointF> positions;
    qreal x = 0;
    for (const QChar character : text) {
        const Glyph glyph = glyphOf(character);
        if (glyph.index == 0 && !character.isSpace()) {
            painter.drawText(origin, text);
            return;
        }
        if (!character.isSpace()) {
            indexes.append(glyph.index);
            positions.append(QPointF(x, 0));
        }
        x += glyph.advance;
    }
    QGlyphRun run;
    run.setRawFont(m_glyphs);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    painter.drawGlyphRun(origin, run);
}

PrintFont::Glyph PrintFont::glyphOf(QChar character)
{
    auto known = m_known.constFind(character.unicode());
    if (known == m_known.cend()) {
        const QList<quint32> index = m_glyphs.glyphIndexesForString(QString(character));
        known = m_known.insert(character.unicode(),
                               {index.value(0), m_metrics.horizontalAdvance(character)});
    }
    return *known;
}

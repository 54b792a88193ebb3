#pragma once

class QPainter;
class QPointF;
class QString;

// Draws Text as QPainter::drawText(Origin, Text) does: the painter's font, pen, transform, clip
// and background mode, the baseline's left end at Origin. On raster images, glyphs too large
// for Qt's own glyph cache are drawn from a cache of glyph images instead of filling every
// glyph's outline at every drawing, which at printer resolutions cost ten times the bars.
void PaintText(QPainter& Canvas, const QPointF& Origin, const QString& Text);

#pragma once

#include "document/TPrintFrame.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>

#include <cstdint>

class QPainter;

// A one-pixel line of the design view: its pattern (solid, dotted, dashed, ...) and colour.
struct TDesignPen {
    TPenStyle Style = psSolid;
    QColor Color;
};

enum class TDesignSchemeKind : std::uint8_t { Light, Classic };

// How rulers and margins look at design time. One scheme serves the whole process.
struct TDesignScheme {
    TDesignSchemeKind Kind = TDesignSchemeKind::Light;
    TDesignPen RulerMinor;
    TDesignPen RulerMajor;
    QColor LabelColor;
    // The margin rectangle and the column marks.
    TDesignPen Margin;

    // The small font of the ruler labels.
    QFont LabelFont() const;

    static TDesignScheme Of(TDesignSchemeKind Kind);
};

// Light on screens with more than 256 colours, or when the screen does not say; BitsPerPixel of
// 0 or less means unknown.
TDesignSchemeKind SchemeForColorDepth(int BitsPerPixel);

// The process-wide scheme. The first use chooses it from the primary screen's colour depth unless
// SetDesignScheme came first.
const TDesignScheme& DesignScheme();
// Chooses the scheme from the screen now; the program calls it once at start.
void ChooseDesignScheme();
// Fixes the scheme (tests; a display that cannot be asked).
void SetDesignScheme(TDesignSchemeKind Kind);

// An axis-parallel line from From up to, not including, To, in Pen's pattern starting at From
// (its gaps are left alone). Pixels outside Clip are not touched. Phase is the pattern position
// of From; the result is the position after the line, so a figure can carry its pattern on.
int DrawDesignLine(QPainter& Canvas, QPoint From, QPoint To, const TDesignPen& Pen,
                   const QRect& Clip, int Phase = 0);
// A rectangle's outline without fill, covering columns Left .. Right - 1 and rows Top .. Bottom -
// 1, drawn as one figure clockwise from its top-left corner. Swapped edges are put in order; an
// empty rectangle draws nothing.
void DrawDesignRect(QPainter& Canvas, int Left, int Top, int Right, int Bottom,
                    const TDesignPen& Pen, const QRect& Clip);

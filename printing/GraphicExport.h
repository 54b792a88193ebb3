#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <functional>

class TCustomPrintJob;
class TPrintable;

// Graphic files for other programs: a PNG that carries its resolution, an SVG or a PDF, each of
// a physical size and drawn through a print job, so that what is written is what prints.

enum TGraphicFormat : std::uint8_t { gfPng, gfSvg, gfPdf };

// The resolutions a graphic is drawn at; 300 dpi unless chosen.
inline constexpr int MinGraphicDpi = 1;
inline constexpr int MaxGraphicDpi = 2400;
inline constexpr int DefaultGraphicDpi = 300;

// The format a file name's extension asks for, in any case; raises when it is none of the three.
TGraphicFormat GraphicFormatOf(const QString& FileName);

using TDrawGraphic = std::function<void(TCustomPrintJob& Job)>;

// The graphic in Format, SizeMM large, drawn by Draw at Dpi dots per inch onto a white sheet: a
// PNG of that many pixels with Dpi written into it, or an SVG or PDF whose drawing lies on the
// dot grid of Dpi. An image no memory could hold is refused.
QByteArray GraphicBytes(TGraphicFormat Format, const QSizeF& SizeMM, int Dpi,
                        const TDrawGraphic& Draw);

// GraphicBytes in the format of FileName's extension, written to the file; a graphic that cannot
// be drawn makes no file, and a file that could not be written whole is removed.
void ExportGraphic(const QString& FileName, const QSizeF& SizeMM, int Dpi,
                   const TDrawGraphic& Draw);

// The item as it prints, title rows and frame included, alone on a graphic of its size: into a
// file, or as the bytes of Format.
void ExportItemGraphic(TPrintable& Item, const QString& FileName, int Dpi);
QByteArray ItemGraphic(TPrintable& Item, TGraphicFormat Format, int Dpi);

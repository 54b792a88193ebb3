#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QSize;
class TBarcodeEngine;
class TCustomPrintJob;
class TDataSource;
class TPrintable;
class TReportPage;

// Graphic files for other programs: a PNG that carries its resolution, an SVG or a PDF, each of
// a physical size and drawn through a print job, so that what is written is what prints.

enum TGraphicFormat : std::uint8_t { gfPng, gfSvg, gfPdf };

// The resolutions a graphic is drawn at; 300 dpi unless chosen.
inline constexpr int MinGraphicDpi = 1;
inline constexpr int MaxGraphicDpi = 2400;
inline constexpr int DefaultGraphicDpi = 300;
// Sizes in pixels are those of a screen of this many pixels per inch.
inline constexpr int ScreenPixelsPerInch = 96;

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

// Sheets of SizeMM at Dpi, as long as Next has another, each drawn by Draw: a PDF of one page a
// sheet, or for PNG and SVG one file a sheet, named FileName when Count is 1 and with "-1",
// "-2" ... before the extension when it is more. A PDF is replaced only once it is whole; files
// written before a failure are removed again.
void ExportSheets(const QString& FileName, const QSizeF& SizeMM, int Dpi, std::int64_t Count,
                  const std::function<bool()>& Next, const TDrawGraphic& Draw);

// The page on its paper into FileName (PDF, PNG or SVG), or with Data every sheet a data merge
// makes of it, after every record has been tried.
void RenderPageFile(TReportPage& Page, TDataSource* Data, const QString& FileName, int Dpi);

// The item as it prints, title rows and frame included, alone on a graphic of its size: into a
// file, or as the bytes of Format.
void ExportItemGraphic(TPrintable& Item, const QString& FileName, int Dpi);
QByteArray ItemGraphic(TPrintable& Item, TGraphicFormat Format, int Dpi);

// The barcode with its readable text in Box, inside a white quiet zone of Quiet pixels on every
// side (ten modules when not given), into FileName (PNG, SVG or PDF): sizes are screen pixels,
// the graphic is drawn at Dpi with every module a whole number of dots. The barcode's settings
// are checked before anything is written.
void ExportBarcodeFile(TBarcodeEngine& Engine, const QSize& Box, std::optional<int> Quiet,
                       const QString& FileName, int Dpi);

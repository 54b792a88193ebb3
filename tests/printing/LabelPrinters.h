#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

// Test harness for the tests' label printer queues (cups-setup.sh): CUPS's sample Zebra ZPL and
// DYMO drivers, whose device is a file. What the driver wrote is turned back into bitmaps, one
// a label, black (1) dots black, so that the decoders read them as they read a print.

// Waits until the queue's job has completed and returns what the driver wrote for it; empty,
// with a warning, when it does not complete within a minute.
QByteArray WaitForPrinterFile(std::int32_t JobId, const QString& Queue);

// ZPL: every stored graphic, "~DG name,total bytes,bytes a row," followed by its rows in hex with
// ZPL's compression (G-Y count 1-19 and g-z 20-400 of the next digit, "," the rest of the row
// white, "!" the rest black, ":" the row before again). The label is as wide as ^PW says.
std::vector<QImage> ZplLabels(const QByteArray& Output);
// The printer's width of each label, from ^PW.
std::vector<int> ZplPrintWidths(const QByteArray& Output);

// DYMO LabelWriter raster: ESC D n bytes a row, SYN and the row's bytes, ESC f 1 n n white rows,
// ESC E the end of a label. The driver rasterises only the label's printable area, which the
// printer puts Origin dots from the label's top left corner: each label comes back on a white
// sheet of Sheet dots.
std::vector<QImage> DymoLabels(const QByteArray& Output, QPoint Origin, QSize Sheet);

// The lengths of the runs of dark and light dots along row Y from X0 to X1 (exclusive), the
// first run starting at X0.
std::vector<int> RunLengths(const QImage& Image, int Y, int X0, int X1);

#pragma once

#include "barcode/TBarcodeEngine.h"

#include <QImage>
#include <QStringList>

#include <string>
#include <vector>

// Test harness: draws a barcode engine the way the program does and reads it back with a real
// decoder (`zbarimg` from zbar-tools).
//
//   TBarcodeEngine E;
//   E.SetTyp(bcCode128B);
//   E.SetText("Hello");
//   EXPECT_EQ(DecodeDrawn(E, 90), std::vector<std::string>{"Hello"});
//
// The engine keeps its settings except Angle (set to the given one) and what PaintBarcode
// itself rewrites (Text normalised by its encoder, Height). A QGuiApplication is created on first
// use when there is none (fonts need one); run the tests with QT_QPA_PLATFORM=offscreen.

// The barcode drawn by PaintBarcode with readable text at Angle (0, 90, 180 or 270), into a
// rectangle of PixelsPerModule pixels per module along the bars and 50 modules deep, inside a
// white quiet zone of QuietModules modules on every side.
QImage DrawBarcode(TBarcodeEngine& E, double Angle, int PixelsPerModule = 3, int QuietModules = 12,
                   bool ShowText = true);

// DrawBarcode saved as a PNG in a temporary directory and read by `zbarimg --raw -q` with the
// extra options given (e.g. "-Supca.enable"); one string per symbol found, none when the
// decoder finds nothing. Fails the current test when zbarimg cannot be run.
std::vector<std::string> DecodeDrawn(TBarcodeEngine& E, double Angle, int PixelsPerModule = 3,
                                     const QStringList& ZbarOptions = {});

// Image on a white page, Margin pixels from its edges: a graphic placed as a word processor
// places it, with the quiet zone that a scanner needs around it.
QImage OnWhitePage(const QImage& Image, int Margin);

// What zbarimg reads from an image.
std::vector<std::string> DecodeImage(const QImage& Image, const QStringList& ZbarOptions = {});

// What ZXingReader (zxing-cpp-tools) reads from an image: one string per symbol. ZXingReader 1.4
// aborts on some very large images, so an image over 3000 pixels a side is first sampled down
// by whole factors of 2, which keeps whole-pixel modules whole where they were even; where it
// aborts on another image, that is read again drawn three quarters as large.
std::vector<std::string> DecodeImageZXing(const QImage& Image);

void EnsureGuiApplication();

#pragma once

#include <QString>
#include <string>

// The program's 8-bit text (short strings, the barcode engine's text) is Windows-1252.
QString FromCp1252(const std::string& Bytes);

// Characters that Windows-1252 cannot hold become "?", as the platform's conversion does.
std::string ToCp1252(const QString& Text);

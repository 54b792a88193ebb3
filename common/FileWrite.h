#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

// Opens File (a QFile or a QSaveFile) for writing; refused with "Cannot create file" and the
// system's reason.
void OpenToWrite(QFileDevice& File);

// Bytes as the whole of FileName. The old file is replaced only once the new one is complete on
// disk; a write that fails leaves it as it was.
void WriteWholeFile(const QString& FileName, const QByteArray& Bytes);

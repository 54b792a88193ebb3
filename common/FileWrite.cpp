#include "common/FileWrite.h"

#include "common/Messages.h"
#include "common/TException.h"

#include <QFileInfo>
#include <QSaveFile>

void OpenToWrite(QFileDevice& File) {
    if (!File.open(QIODevice::WriteOnly))
        Raise(Msg::CannotCreateFile, {QFileInfo(File.fileName()).absoluteFilePath().toStdString(),
                                      File.errorString().toStdString()});
}

void WriteWholeFile(const QString& FileName, const QByteArray& Bytes) {
    QSaveFile File(FileName);
    OpenToWrite(File);
    if (File.write(Bytes) != Bytes.size() || !File.commit()) {
        File.cancelWriting();
        Raise(Msg::StreamWriteError);
    }
}

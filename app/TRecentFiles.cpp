#include "app/TRecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString RecentFilesKey = QStringLiteral("RecentFiles");

} // namespace

QStringList TRecentFiles::Files() const {
    return QSettings().value(RecentFilesKey).toStringList();
}

void TRecentFiles::Add(const QString& Name) {
    const QString Full = QFileInfo(Name).absoluteFilePath();
    QStringList List = Files();
    List.removeAll(Full);
    List.prepend(Full);
    Store(List.mid(0, MaxCount));
}

void TRecentFiles::Remove(const QString& Name) {
    QStringList List = Files();
    List.removeAll(Name);
    Store(List);
}

void TRecentFiles::Clear() {
    Store({});
}

void TRecentFiles::Store(const QStringList& Files) {
    QSettings Settings;
    Settings.setValue(RecentFilesKey, Files);
}

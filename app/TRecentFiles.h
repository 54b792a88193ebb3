#pragma once

#include <QStringList>

// The documents last opened or saved, newest first, kept in the application's settings so that
// the next start offers them again.
class TRecentFiles {
public:
    static constexpr int MaxCount = 10;

    QStringList Files() const;
    // Name, made absolute, goes to the front once; the oldest beyond MaxCount go.
    void Add(const QString& Name);
    void Remove(const QString& Name);
    void Clear();

private:
    void Store(const QStringList& Files);
};

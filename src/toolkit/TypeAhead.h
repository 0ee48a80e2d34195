#pragma once
// Keyboard search in a drop-down list: letters typed less than half a second
// apart form one prefix searched from the top; a lone letter searches onward
// from the current entry and wraps round, so repeating it steps through the
// names that begin with it. Letter case is ignored.

#include <QString>
#include <QStringList>

#include <limits>

class TTypeAhead {
public:
    static constexpr qint64 IntervalMs = 500;

    // Feeds the text of one key press typed at `nowMs`; returns the entry to
    // select, or -1 when nothing matches (the selection stays).
    int Feed(const QString& typed, qint64 nowMs, const QStringList& entries, int current);

    void Reset() { FPrefix.clear(); FLastMs = std::numeric_limits<qint64>::min() / 2; }

private:
    QString FPrefix;
    qint64 FLastMs = std::numeric_limits<qint64>::min() / 2;
};

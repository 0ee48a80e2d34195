#include "toolkit/TypeAhead.h"

int TTypeAhead::Feed(const QString& typed, qint64 nowMs, const QStringList& entries, int current)
{
    const bool continues = nowMs - FLastMs < IntervalMs && !FPrefix.isEmpty();
    FLastMs = nowMs;
    const int count = static_cast<int>(entries.size());
    if (continues) {
        FPrefix += typed;
        for (int i = 0; i < count; ++i)
            if (entries[i].startsWith(FPrefix, Qt::CaseInsensitive))
                return i;
        return -1;
    }
    FPrefix = typed;
    for (int step = 1; step <= count; ++step) {
        const int i = ((current < 0 ? -1 : current) + step) % count;
        if (entries[i].startsWith(FPrefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

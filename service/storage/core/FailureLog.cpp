#include "storage/core/FailureLog.h"

#include <QHash>

#include <chrono>
#include <cstdio>
#include <mutex>

namespace {

struct Kind
{
    qint64 printedMs = 0;
    qint64 heldBack = 0;
};

std::mutex g_mutex;
QHash<QString, Kind> g_kinds;
// Kinds remembered at most; errors that quote values could otherwise grow the table.
const int kMaxKinds = 256;

qint64 nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

void FailureLog::report(const QString& kind, const QString& detail)
{
    const qint64 now = nowMs();
    qint64 heldBack = 0;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto found = g_kinds.find(kind);
        if (found != g_kinds.end() && now - found->printedMs < kQuietMs) {
            ++found->heldBack;
            return;
        }
        if (found == g_kinds.end()) {
            if (g_kinds.size() >= kMaxKinds)
                g_kinds.clear();
            found = g_kinds.insert(kind, Kind());
        }
        heldBack = found->heldBack;
        found->printedMs = now;
        found->heldBack = 0;
    }
    QByteArray line = "kq_service: " + kind.toUtf8();
    if (heldBack > 0)
        line += " (" + QByteArray::number(heldBack) + " more like it since it was last printed)";
    if (!detail.isEmpty())
        line += "\n  " + detail.toUtf8();
    std::fprintf(stderr, "%s\n", line.constData());
}

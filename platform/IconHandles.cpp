#include "platform/IconHandles.h"

#include <QHash>

namespace platform {

namespace {

struct IconTable {
    QHash<qint64, int32_t> byKey;
    QHash<int32_t, QIcon> byHandle;
    // Apart from the window handles, so neither is taken for the other.
    int32_t next = 0x40000000;
};

IconTable& icons() {
    static IconTable table;
    return table;
}

} // namespace

int32_t IconHandleOf(const QIcon& icon) {
    if (icon.isNull())
        return 0;
    IconTable& t = icons();
    auto it = t.byKey.constFind(icon.cacheKey());
    if (it != t.byKey.constEnd())
        return it.value();
    const int32_t h = t.next;
    t.next += 4;
    t.byKey.insert(icon.cacheKey(), h);
    t.byHandle.insert(h, icon);
    return h;
}

QIcon IconFromHandle(int32_t handle) {
    return icons().byHandle.value(handle);
}

} // namespace platform

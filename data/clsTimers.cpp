#include "data/clsTimers.h"

#include "data/mTimerFunctions.h"
#include "platform/ObjectError.h"
#include "platform/RuntimeError.h"

clsTimers::clsTimers() : m_key(mTimerFunctions::RegisterTimersClass(this)) {}

clsTimers::~clsTimers() {
    m_members.clear();
    mTimerFunctions::UnregisterTimersClass(m_key);
}

int32_t clsTimers::Add() {
    ++m_count;
    auto timer = std::make_unique<clsTimer>();
    timer->setIndex(m_count);
    timer->setParentKey(m_key);
    m_members.push_back(std::move(timer));
    return m_count;
}

void clsTimers::BulkLoad(int32_t num) {
    if (num < 1 || num > 199)
        throw platform::RuntimeError(platform::kUserErrorBase, QStringLiteral("clsTimers.BulkLoad"),
                                     QStringLiteral("No more than 200 times allowed per class"));
    for (int32_t i = 0; i <= num; ++i)
        Add();
}

clsTimer& clsTimers::Item(int32_t Index) {
    if (Index > m_count)
        throw platform::RuntimeError(platform::kUserErrorBase, QStringLiteral("clsTimers.Item"),
                                     QStringLiteral("Index does not Exist"));
    if (Index < 1)
        throw platform::RuntimeError::fromNumber(9, QStringLiteral("clsTimers.Item"));
    return *m_members[static_cast<size_t>(Index - 1)];
}

void clsTimers::RaiseTimerEvent(int32_t Index) {
    const std::function<void(int32_t)> handler = Timer;
    if (handler)
        handler(Index);
}

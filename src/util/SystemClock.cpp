// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/SystemClock.h"

#include <QDateTime>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <thread>

namespace quillon {

DateTimeValue SystemClock::Now() const {
    return FromQDateTime(QDateTime::currentDateTimeUtc());
}

void SystemClock::Idle(double maxSeconds) {
    const double seconds = maxSeconds < 0.001 ? maxSeconds : 0.001;
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(seconds * 1e6) + 1));
}

void SystemClock::WaitProcessingEvents(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000.0), &loop, &QEventLoop::quit);
    loop.exec();
}

void SystemClock::WaitPainting(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000.0), &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace quillon

#include "link/run_loop.h"

#include <poll.h>

#include <algorithm>
#include <chrono>

namespace t604 {

Millis MonotonicMillis() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Outcome DriveProgramRun(ProgramRun& run, const std::function<void(int)>& onProgress) {
    // The bar falls back to 0 as the run closes; that is not progress.
    int shownProgress = run.progress();
    auto report = [&] {
        if (onProgress && run.running() && run.progress() != shownProgress)
            onProgress(shownProgress = run.progress());
    };
    run.useClock(MonotonicMillis);
    run.start(MonotonicMillis());
    report();
    // A hung-up line would wake poll() without pause: after POLLHUP or
    // POLLERR the port is only polled by the receive timer until a timer fires.
    bool watchPort = true;
    while (run.running()) {
        const Millis now = MonotonicMillis();
        if (std::optional<TimerId> due = run.dueTimer(now)) {
            run.onTimer(*due, now);
            watchPort = true;
            report();
            continue;
        }
        const std::optional<Millis> next = run.nextDue();
        if (!next) break;  // nothing will ever fire: cannot happen while running
        const int timeout = static_cast<int>(std::clamp<Millis>(*next - now, 0, 60'000));
        pollfd fd{-1, POLLIN, 0};
        if (watchPort && run.timer(TimerId::Rx).enabled) fd.fd = run.pollHandle();
        const int ready = ::poll(&fd, 1, timeout);
        if (ready > 0 && fd.fd >= 0) {
            if (fd.revents & POLLIN) {
                run.onTimer(TimerId::Rx, MonotonicMillis());
                report();
            }
            if (fd.revents & (POLLHUP | POLLERR | POLLNVAL)) watchPort = false;
        }
    }
    return run.outcome();
}

}  // namespace t604

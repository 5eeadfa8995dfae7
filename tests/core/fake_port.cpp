#include "fake_port.h"

#include <algorithm>

namespace t604::fake {

class FakePort : public SerialPort {
public:
    FakePort(FakePortSystem& system, int n) : system_(system), n_(n) {}
    ~FakePort() override { state().open = false; }

    void purge(unsigned mask) override {
        system_.purges_.push_back({n_, system_.now_, mask});
        if (mask & kPurgeInput) state().input.erase(state().input.begin(), state().input.begin() + waiting());
    }
    std::size_t bytesWaiting() override { return waiting(); }
    std::size_t read(std::span<std::uint8_t> dest) override {
        const std::size_t n = std::min(dest.size(), waiting());
        for (std::size_t i = 0; i < n; ++i) {
            dest[i] = state().input.front().byte;
            state().input.pop_front();
        }
        return n;
    }
    void write(std::span<const std::uint8_t> bytes) override {
        system_.writes_.push_back({n_, system_.now_, {bytes.begin(), bytes.end()}});
        if (system_.responder_) system_.responder_(n_, bytes);
    }

private:
    FakePortSystem::PortState& state() { return system_.ports_.at(n_); }
    std::size_t waiting() { return system_.arrived(state()); }

    FakePortSystem& system_;
    int n_;
};

void FakePortSystem::addPort(int n, PortAvailability availability) { ports_[n].availability = availability; }

OpenResult FakePortSystem::open(int n) {
    auto it = ports_.find(n);
    if (it == ports_.end()) return {nullptr, {deviceName(n), "No such file or directory"}};
    PortState& p = it->second;
    if (p.open || (p.availability == PortAvailability::BusyAfterScan && p.opens > 0))
        return {nullptr, {deviceName(n), "Device or resource busy"}};
    p.open = true;
    ++p.opens;
    return {std::make_unique<FakePort>(*this, n), {}};
}

void FakePortSystem::queueReply(int n, std::span<const std::uint8_t> bytes, Millis delay, Millis perByte) {
    PortState& p = ports_.at(n);
    Millis t = now_ + delay;
    if (!p.input.empty()) t = std::max(t, p.input.back().time);  // a line delivers in order
    for (std::uint8_t b : bytes) {
        p.input.push_back({t, b});
        t += perByte;
    }
}

void FakePortSystem::attachRadio(int n, VirtualRadio& radio, Millis delay) {
    setResponder([this, n, &radio, delay](int port, std::span<const std::uint8_t> written) {
        if (port != n) return;
        std::vector<std::uint8_t> reply = radio.receive(written);
        queueReply(n, reply, delay);
    });
}

std::size_t FakePortSystem::arrived(const PortState& p) const {
    return static_cast<std::size_t>(std::count_if(p.input.begin(), p.input.end(),
                                                  [&](const Arriving& a) { return a.time <= now_; }));
}

std::vector<Written> FakePortSystem::writesTo(int n) const {
    std::vector<Written> out;
    std::copy_if(writes_.begin(), writes_.end(), std::back_inserter(out),
                 [n](const Written& w) { return w.port == n; });
    return out;
}

int FakePortSystem::opens(int n) const { return ports_.count(n) ? ports_.at(n).opens : 0; }

std::size_t FakePortSystem::unread(int n) const { return ports_.count(n) ? ports_.at(n).input.size() : 0; }

void RunUntil(ProgramRun& run, FakePortSystem& ports, Millis until) {
    while (run.running()) {
        std::optional<Millis> due = run.nextDue();
        if (!due || *due > until) break;
        const Millis t = std::max(*due, ports.now());
        ports.advanceTo(t);
        run.onTimer(*run.dueTimer(t), t);
    }
    if (run.running()) ports.advanceTo(until);
}

Millis RunToEnd(ProgramRun& run, FakePortSystem& ports, Millis limit) {
    run.start(ports.now());
    RunUntil(run, ports, limit);
    return ports.now();
}

}  // namespace t604::fake

#pragma once
// A scripted port layer for simulated-time tests of the programming run: a
// fake clock, ports COM1..COM9 that exist or not, a record of every write
// with its time, radio replies queued by the test or produced by a responder
// (for example a VirtualRadio), and a driver that fires the run's timers in
// time order.

#include <deque>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "link/program_run.h"
#include "link/serial_port.h"
#include "link/virtual_radio.h"

namespace t604::fake {

struct Written {
    int port;
    Millis time;
    std::vector<std::uint8_t> bytes;
};

struct Purge {
    int port;
    Millis time;
    unsigned mask;
};

enum class PortAvailability {
    Free,           // opens whenever it is not open already
    BusyAfterScan,  // opens once (at the scan), is taken by someone else afterwards
};

class FakePortSystem : public PortSystem {
public:
    // Ports that exist and how they behave; the others fail to open.
    void addPort(int n, PortAvailability availability = PortAvailability::Free);

    // --- The radio's side ---------------------------------------------------
    // Bytes that arrive on port n after `delay` ms, one every `perByte` ms.
    void queueReply(int n, std::span<const std::uint8_t> bytes, Millis delay = 0, Millis perByte = 0);
    void queueReply(int n, std::initializer_list<std::uint8_t> bytes, Millis delay = 0) {
        queueReply(n, std::span(bytes.begin(), bytes.size()), delay);
    }
    // Called after every write (the write is already recorded).
    using Responder = std::function<void(int port, std::span<const std::uint8_t> written)>;
    void setResponder(Responder responder) { responder_ = std::move(responder); }
    // A virtual radio on port n answering after `delay` ms.
    void attachRadio(int n, VirtualRadio& radio, Millis delay = 1);

    // --- Clock --------------------------------------------------------------
    Millis now() const { return now_; }
    void advanceTo(Millis t) {
        if (t > now_) now_ = t;
    }

    // --- What the program did -------------------------------------------------
    const std::vector<Written>& writes() const { return writes_; }
    std::vector<Written> writesTo(int n) const;
    const std::vector<Purge>& purges() const { return purges_; }
    const std::vector<Millis>& sleeps() const { return sleeps_; }
    int opens(int n) const;  // successful opens
    bool isOpen(int n) const { return ports_.count(n) && ports_.at(n).open; }
    // Bytes queued on port n that the program has not read or purged.
    std::size_t unread(int n) const;

    // --- PortSystem -------------------------------------------------------------
    std::string deviceName(int n) const override { return "fake" + std::to_string(n); }
    OpenResult open(int n) override;
    void sleep(Millis ms) override {
        sleeps_.push_back(ms);
        now_ += ms;
    }

private:
    friend class FakePort;
    struct Arriving {
        Millis time;
        std::uint8_t byte;
    };
    struct PortState {
        PortAvailability availability;
        bool open = false;
        int opens = 0;
        std::deque<Arriving> input;
    };

    std::size_t arrived(const PortState& p) const;

    Millis now_ = 0;
    std::map<int, PortState> ports_;
    std::vector<Written> writes_;
    std::vector<Purge> purges_;
    std::vector<Millis> sleeps_;
    Responder responder_;
};

// Fires the run's due timers in time order, moving the fake clock, until
// `until` or until the run ends; the clock then stands at `until` or at the
// end. A timer that fell due during a sleep fires late, as a real one would.
void RunUntil(ProgramRun& run, FakePortSystem& ports, Millis until);

// Starts the run at the current fake time and runs it until it ends (or
// `limit` passes); returns the time of the end.
Millis RunToEnd(ProgramRun& run, FakePortSystem& ports, Millis limit = 10 * 60 * 1000);

}  // namespace t604::fake

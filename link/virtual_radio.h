#pragma once
// The radio's side of the programming link, as a state machine without I/O
// or clock: bytes from the PC in, the radio's reply bytes out. It serves the
// emulator (t604-cli emulate) and the tests.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "link/link_frames.h"

namespace t604 {

enum class RadioVariant { A, B, Old };

inline constexpr std::size_t kRadioMemorySize = 0x10000;
inline constexpr std::size_t kChipStatusSize = frames::kChipStatusReplySize - sizeof frames::kChipStatusHeader;

// A fault to inject. Requests are counted from 1 over the radio's lifetime
// (every complete frame counts: handshake, ident, read, write, ack, end,
// chip status).
struct RadioFault {
    enum class Kind {
        DropReply,       // the reply to request `value` is lost (the request still acts)
        ExtraByte,       // the reply to request `value` carries one surplus byte
        SilentAfter,     // after `value` requests the radio answers nothing more
        WrongHandshake,  // every handshake is answered with the byte `value`
    };
    Kind kind;
    int value;
};

// "drop:N", "extra:N", "silent:N", "handshake:HH" (HH hexadecimal);
// throws std::invalid_argument with a message naming the fault.
RadioFault ParseRadioFault(std::string_view spec);

class VirtualRadio {
public:
    explicit VirtualRadio(RadioVariant variant);

    // Takes the bytes that arrived; returns what the radio sends back.
    std::vector<std::uint8_t> receive(std::span<const std::uint8_t> bytes);
    // The line has been quiet for a while: a half-received request is
    // forgotten, as the radio's own inter-byte timeout does.
    void lineIdle() { pending_.clear(); }
    // A request has begun and is not complete yet.
    bool receiving() const { return !pending_.empty(); }

    std::span<std::uint8_t> memory() { return memory_; }
    std::span<const std::uint8_t> memory() const { return memory_; }
    void setChipStatus(const std::array<std::uint8_t, kChipStatusSize>& status) { chipStatus_ = status; }
    void addFault(const RadioFault& fault) { faults_.push_back(fault); }

    RadioVariant variant() const { return variant_; }
    int sessionsEnded() const { return sessionsEnded_; }
    bool inSession() const { return mode_ != Mode::Idle; }

private:
    enum class Mode { Idle, OldAwaitIdent, OldAwaitIdentAck, Session };
    enum class Judgement { Incomplete, Complete, Invalid };

    Judgement judge(std::span<const std::uint8_t> frame) const;
    std::vector<std::uint8_t> serve(std::span<const std::uint8_t> frame);
    void applyReplyFaults(std::vector<std::uint8_t>& reply) const;
    bool silenced() const;

    RadioVariant variant_;
    Mode mode_ = Mode::Idle;
    std::vector<std::uint8_t> memory_;
    std::array<std::uint8_t, kChipStatusSize> chipStatus_;
    std::vector<std::uint8_t> pending_;  // the request being received
    std::vector<RadioFault> faults_;
    int requests_ = 0;
    int sessionsEnded_ = 0;
};

}  // namespace t604

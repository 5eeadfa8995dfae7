#include "link/virtual_radio.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <iterator>
#include <string>

#include "link/link_frames.h"

namespace t604 {

namespace {

using namespace frames;

constexpr std::uint8_t kSurplusByte = 0x00;

// Battery, RSSI, noise, comparator flags, ..., offset 300: plausible values
// of an idle radio, all different so that a misplaced byte shows.
constexpr std::array<std::uint8_t, kChipStatusSize> kDefaultChipStatus{
    0x7B, 0x3C, 0x1E, 0xA8, 0x00, 0x80, 0x95, 0x00, 0x40, 0x01, 0x2C};

std::uint8_t HandshakeReply(RadioVariant variant) {
    switch (variant) {
        case RadioVariant::A: return kVariantAReply;
        case RadioVariant::B: return kVariantBReply;
        case RadioVariant::Old: return kOldRadioReply;
    }
    return 0;
}

int ParseNumber(std::string_view text, int base, std::string_view spec) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0)
        throw std::invalid_argument("bad number in fault '" + std::string(spec) + "'");
    return value;
}

}  // namespace

RadioFault ParseRadioFault(std::string_view spec) {
    auto colon = spec.find(':');
    if (colon == std::string_view::npos)
        throw std::invalid_argument("fault '" + std::string(spec) + "' wants KIND:VALUE");
    std::string_view kind = spec.substr(0, colon);
    std::string_view value = spec.substr(colon + 1);
    if (kind == "handshake") {
        int byte = ParseNumber(value, 16, spec);
        if (byte > 0xFF) throw std::invalid_argument("fault '" + std::string(spec) + "': not a byte");
        return {RadioFault::Kind::WrongHandshake, byte};
    }
    RadioFault::Kind parsed;
    if (kind == "drop")
        parsed = RadioFault::Kind::DropReply;
    else if (kind == "extra")
        parsed = RadioFault::Kind::ExtraByte;
    else if (kind == "silent")
        parsed = RadioFault::Kind::SilentAfter;
    else
        throw std::invalid_argument("unknown fault kind '" + std::string(kind) +
                                    "' (drop, extra, silent, handshake)");
    int n = ParseNumber(value, 10, spec);
    if (n < 1 && parsed != RadioFault::Kind::SilentAfter)
        throw std::invalid_argument("fault '" + std::string(spec) + "': requests count from 1");
    return {parsed, n};
}

VirtualRadio::VirtualRadio(RadioVariant variant)
    : variant_(variant), memory_(kRadioMemorySize, 0), chipStatus_(kDefaultChipStatus) {}

std::vector<std::uint8_t> VirtualRadio::receive(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> out;
    for (std::uint8_t byte : bytes) {
        pending_.push_back(byte);
        // Like the radio's firmware: a byte that does not continue the
        // frame begun drops what came before it and is looked at again as a
        // possible start; a byte that starts nothing is dropped.
        while (!pending_.empty()) {
            Judgement j = judge(pending_);
            if (j == Judgement::Incomplete) break;
            if (j == Judgement::Invalid) {
                pending_.erase(pending_.begin(), pending_.end() - (pending_.size() > 1 ? 1 : 0));
                continue;
            }
            std::vector<std::uint8_t> reply = serve(pending_);
            out.insert(out.end(), reply.begin(), reply.end());
            pending_.clear();
        }
    }
    return out;
}

VirtualRadio::Judgement VirtualRadio::judge(std::span<const std::uint8_t> frame) const {
    const std::size_t size = frame.size();
    const std::uint8_t first = frame[0];
    // The handshake and the chip status request are heard in every state: a
    // PC that missed the handshake reply sends it again mid-session.
    if (first == kHandshake[0]) {
        for (std::size_t i = 1; i < size; ++i)
            if (frame[i] != kHandshake[i]) return Judgement::Invalid;
        return size == std::size(kHandshake) ? Judgement::Complete : Judgement::Incomplete;
    }
    if (first == kChipStatusRequest[0]) {
        if (size < 2) return Judgement::Incomplete;
        return frame[1] == kChipStatusRequest[1] ? Judgement::Complete : Judgement::Invalid;
    }
    const bool oldSession = variant_ == RadioVariant::Old && mode_ == Mode::Session;
    switch (mode_) {
        case Mode::Idle:
            return Judgement::Invalid;
        case Mode::OldAwaitIdent:
            return first == kIdentRequest ? Judgement::Complete : Judgement::Invalid;
        case Mode::OldAwaitIdentAck:
            return first == kIdentRequest || first == kAck ? Judgement::Complete : Judgement::Invalid;
        case Mode::Session:
            break;
    }
    if (first == kEndByte) return Judgement::Complete;
    if (oldSession && (first == kAck || first == kIdentRequest)) return Judgement::Complete;
    if (first == kReadCommand) return size == 4 ? Judgement::Complete : Judgement::Incomplete;
    if (first == kWriteCommand) {
        if (size < 4) return Judgement::Incomplete;
        return size == 4u + frame[3] ? Judgement::Complete : Judgement::Incomplete;
    }
    return Judgement::Invalid;
}

bool VirtualRadio::silenced() const {
    return std::any_of(faults_.begin(), faults_.end(), [&](const RadioFault& f) {
        return f.kind == RadioFault::Kind::SilentAfter && requests_ > f.value;
    });
}

std::vector<std::uint8_t> VirtualRadio::serve(std::span<const std::uint8_t> frame) {
    ++requests_;
    if (silenced()) return {};

    std::vector<std::uint8_t> reply;
    const std::uint8_t first = frame[0];
    if (first == kHandshake[0]) {
        std::uint8_t answer = HandshakeReply(variant_);
        for (const RadioFault& f : faults_)
            if (f.kind == RadioFault::Kind::WrongHandshake) answer = static_cast<std::uint8_t>(f.value);
        reply.push_back(answer);
        mode_ = variant_ == RadioVariant::Old ? Mode::OldAwaitIdent : Mode::Session;
    } else if (first == kChipStatusRequest[0]) {
        reply.assign(std::begin(kChipStatusHeader), std::end(kChipStatusHeader));
        reply.insert(reply.end(), chipStatus_.begin(), chipStatus_.end());
    } else if (first == kIdentRequest) {
        reply.assign(std::begin(kIdent), std::end(kIdent));
        if (mode_ == Mode::OldAwaitIdent) mode_ = Mode::OldAwaitIdentAck;
    } else if (first == kAck) {
        reply.push_back(kAck);
        mode_ = Mode::Session;
    } else if (first == kEndByte) {
        mode_ = Mode::Idle;
        ++sessionsEnded_;
    } else {
        const std::size_t address = (std::size_t{frame[1]} << 8) | frame[2];
        const std::uint8_t length = frame[3];
        if (first == kReadCommand) {
            reply = {kReadReply, frame[1], frame[2], length};
            for (std::size_t i = 0; i < length; ++i)
                reply.push_back(memory_[(address + i) % kRadioMemorySize]);
        } else {
            for (std::size_t i = 0; i < length; ++i)
                memory_[(address + i) % kRadioMemorySize] = frame[4 + i];
            reply.push_back(kAck);
        }
    }
    applyReplyFaults(reply);
    return reply;
}

void VirtualRadio::applyReplyFaults(std::vector<std::uint8_t>& reply) const {
    for (const RadioFault& f : faults_) {
        if (f.value != requests_) continue;
        if (f.kind == RadioFault::Kind::DropReply) {
            reply.clear();
            return;
        }
        if (f.kind == RadioFault::Kind::ExtraByte && !reply.empty()) reply.push_back(kSurplusByte);
    }
}

}  // namespace t604

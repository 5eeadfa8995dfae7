#pragma once
// COM ports for the window tests: COMn opens exactly when n is in `present`,
// and an open port never receives anything. No device of the machine is
// touched; the names lie in a folder that does not exist.

#include <set>
#include <string>

#include "link/serial_port.h"

class IdlePort : public t604::SerialPort {
public:
    void purge(unsigned) override {}
    std::size_t bytesWaiting() override { return 0; }
    std::size_t read(std::span<std::uint8_t>) override { return 0; }
    void write(std::span<const std::uint8_t>) override {}
};

class FakePorts : public t604::PortSystem {
public:
    explicit FakePorts(std::set<int> present = {}) : present(std::move(present)) {}
    std::string deviceName(int n) const override { return "/nonexistent/fake" + std::to_string(n); }
    t604::OpenResult open(int n) override {
        if (!present.count(n)) return {nullptr, {deviceName(n), "No such file or directory"}};
        return {std::make_unique<IdlePort>(), {}};
    }
    void sleep(t604::Millis) override {}

    std::set<int> present;  // a test may plug ports in and out
};

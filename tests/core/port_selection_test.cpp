#include "link/port_selection.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace t604 {
namespace {

// Ports that exist and are free open; every open is recorded.
class ScriptedPorts : public PortSystem {
public:
    explicit ScriptedPorts(std::set<int> free) : free_(std::move(free)) {}
    std::string deviceName(int n) const override { return "COM" + std::to_string(n); }
    OpenResult open(int n) override {
        opened.push_back(n);
        if (!free_.count(n)) return {nullptr, {deviceName(n), "in use"}};
        return {std::make_unique<NullPort>(*this), {}};
    }
    void sleep(Millis) override {}

    std::vector<int> opened;
    int openNow = 0;  // ports open at this moment

private:
    struct NullPort : SerialPort {
        explicit NullPort(ScriptedPorts& owner) : owner(owner) { ++owner.openNow; }
        ~NullPort() override { --owner.openNow; }
        void purge(unsigned) override {}
        std::size_t bytesWaiting() override { return 0; }
        std::size_t read(std::span<std::uint8_t>) override { return 0; }
        void write(std::span<const std::uint8_t>) override {}
        ScriptedPorts& owner;
    };
    std::set<int> free_;
};

class PortSelection : public ::testing::Test {
protected:
    void SetUp() override { FoundPorts = {}; }
    void TearDown() override { FoundPorts = {}; }
};

TEST_F(PortSelection, ScanTriesAllNinePortsInOrderAndListsTheFreeOnes) {
    ScriptedPorts ports({3, 5, 9});
    ScanComPorts(ports);
    EXPECT_EQ(ports.opened, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    ASSERT_EQ(FoundPorts.count, 3);
    EXPECT_EQ(FoundPorts.ports[0], 3);
    EXPECT_EQ(FoundPorts.ports[1], 5);
    EXPECT_EQ(FoundPorts.ports[2], 9);
    EXPECT_EQ(ports.openNow, 0) << "every port found is closed at once";
}

TEST_F(PortSelection, RescanForgetsPortsThatWentAway) {
    ScriptedPorts before({1, 2, 3, 4, 5, 6, 7, 8, 9});
    ScanComPorts(before);
    EXPECT_EQ(FoundPorts.count, 9);
    ScriptedPorts after({});
    ScanComPorts(after);
    EXPECT_EQ(FoundPorts.count, 0);
    EXPECT_FALSE(FoundPorts.contains(1));
}

TEST_F(PortSelection, StoredPortThatWasNotFoundFallsBackToCom1) {
    FoundPortList found;
    found.append(3);
    found.append(4);
    EXPECT_EQ(PortAfterScan(4, found), 4);
    EXPECT_EQ(PortAfterScan(7, found), 1);
    EXPECT_EQ(PortAfterScan(1, FoundPortList{}), 1);
    EXPECT_FALSE(found.contains(0)) << "unused slots of the array are not ports";
}

}  // namespace
}  // namespace t604

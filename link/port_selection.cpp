#include "link/port_selection.h"

#include <algorithm>

namespace t604 {

bool FoundPortList::contains(int portNumber) const {
    return std::find(ports.begin(), ports.begin() + count, portNumber) != ports.begin() + count;
}

void FoundPortList::append(int portNumber) {
    if (count < ports.size()) ports[count++] = static_cast<std::uint8_t>(portNumber);
}

void ScanComPorts(PortSystem& ports) {
    FoundPorts.clear();
    for (int n = 1; n <= kHighestPort; ++n) {
        if (ports.open(n).port) FoundPorts.append(n);  // the result closes the port at once
    }
}

int PortAfterScan(int storedPort, const FoundPortList& found) {
    return found.contains(storedPort) ? storedPort : 1;
}

}  // namespace t604

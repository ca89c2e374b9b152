#pragma once

// The peak resident memory of the test process, from the kernel's high-water mark (Linux).

#include <cstddef>
#include <fstream>
#include <string>

namespace tessaro::testing {

class PeakMemory {
public:
    // Resets the high-water mark to the memory resident now, so the peak counts from here.
    PeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

    // Bytes resident at the peak since the reset; 0 when the kernel does not tell.
    static std::size_t Bytes() {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("VmHWM:", 0) == 0) {
                return std::stoul(line.substr(6)) * 1024;  // given in kB
            }
        }
        return 0;
    }
};

}  // namespace tessaro::testing

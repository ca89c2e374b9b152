#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace tessaro::testing {

// The text of one of the sample plant's payload files.
inline std::string ReadSample(const char* name) {
    std::ifstream file(std::string(TESSARO_SAMPLES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace tessaro::testing

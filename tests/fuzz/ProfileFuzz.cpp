// libFuzzer target: the profile decoder must refuse or accept any byte string without reading
// out of bounds or allocating from a count the bytes cannot back, and what it accepts must
// encode back to the same leading bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "profile/ProfileLogic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProfileHeader header;
    std::vector<InputEvent> events;
    if (!DecodeProfile(std::span<const uint8_t>(data, size), header, events)) {
        return 0;
    }
    std::vector<uint8_t> again = EncodeProfile(header, events);
    if (again.size() > size || std::memcmp(again.data(), data, again.size()) != 0) {
        std::abort();
    }
    return 0;
}

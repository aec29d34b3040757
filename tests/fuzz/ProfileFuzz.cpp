// libFuzzer target: File > Load's decoder, fed as the reader feeds it, in 4,096-record blocks and in
// blocks of 1 to 8 (so block boundaries fall everywhere). Both agree; a refused input leaves every
// output untouched; an accepted one encodes back to its leading bytes; nothing is read past the end.
#include <cstdlib>
#include <cstring>

#include "profile/ProfileLogic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ProfileHeader untouched{{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, 1, 2, 3, 4, 5};
    const std::vector<InputEvent> untouchedEvents = {{LeftDown, 5, 1, 2, 3, 4}};
    ProfileHeader headers[2] = {untouched, untouched};
    std::vector<InputEvent> events[2] = {untouchedEvents, untouchedEvents};
    bool accepted[2] = {};
    for (int pass = 0; pass < 2; ++pass) {
        auto read = [&, at = size_t{0}](uint8_t* out, size_t n) mutable {
            std::memcpy(out, data + at, n); // ASan stops a read past the end of libFuzzer's exact copy
            at += n;
            return true;
        };
        accepted[pass] =
            DecodeProfile(size, read, headers[pass], events[pass], pass ? 1 + size % 8 : kProfileBlockEvents);
    }
    std::vector<uint8_t> again;
    EncodeProfile(headers[0], events[0], [&](const uint8_t* p, size_t n) {
        again.insert(again.end(), p, p + n);
        return true;
    });
    const bool same = accepted[0] ? again.size() <= size && std::memcmp(again.data(), data, again.size()) == 0
                                  : headers[0] == untouched && events[0] == untouchedEvents;
    if (!same || accepted[0] != accepted[1] || !(headers[0] == headers[1]) || events[0] != events[1]) {
        std::abort();
    }
    return 0;
}

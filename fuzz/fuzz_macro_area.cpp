// The macro area is read back from the keyboard; a damaged one must never be trusted.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/macro_area.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto decoded = q804::model::DecodeMacroArea(std::span<const std::uint8_t>(data, size), u"M");
    if (decoded) {
        // Whatever decodes must encode again within the sizes it claims.
        const auto sizes = q804::model::MacroAreaSizes(decoded.value());
        if (sizes.withNames <= 0xFFFF) {
            std::vector<std::uint8_t> area(sizes.withNames);
            q804::model::EncodeMacroArea(area, true, decoded.value());
        }
    }
    return 0;
}

// Key tables and the factory table both come from the keyboard.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "model/key_table_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using q804::model::KeyTable;
    KeyTable table{};
    KeyTable matrix = q804::model::DefaultMatrix::BuiltIn();
    std::copy_n(data, std::min(size, table.size()), table.begin());
    if (size > table.size()) {
        std::copy_n(data + table.size(), std::min(size - table.size(), matrix.size()),
                    matrix.begin());
    }
    q804::model::StoreImage image = q804::model::NewDefaultImage();
    for (int slice = 0; slice < 3; ++slice) {
        q804::model::DecodeKeyTable(image, slice, table, matrix);
    }
    return 0;
}

// Report descriptors come from whatever device is plugged in: the parser must survive any bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<vorlix::HidCollection> collections;
    vorlix::ParseTopLevelCollections(data, size, collections);
    return 0;
}

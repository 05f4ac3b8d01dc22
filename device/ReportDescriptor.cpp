#include "ReportDescriptor.h"

namespace vorlix {

namespace {

enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };
constexpr uint8_t kTagCollection = 0xA;
constexpr uint8_t kTagEndCollection = 0xC;
constexpr uint8_t kTagUsagePage = 0x0;
constexpr uint8_t kTagPush = 0xA;
constexpr uint8_t kTagPop = 0xB;
constexpr uint8_t kTagUsage = 0x0;
constexpr uint8_t kLongItemPrefix = 0xFE;
// Nesting beyond this is not a descriptor any device sends; it bounds the work on hostile input.
constexpr size_t kMaxDepth = 64;

}  // namespace

bool ParseTopLevelCollections(const uint8_t* data, size_t length, std::vector<HidCollection>& collections) {
    collections.clear();
    if (data == nullptr) {
        return length == 0;
    }
    std::vector<uint16_t> pageStack;
    uint16_t usagePage = 0;
    bool haveUsage = false;
    uint32_t firstUsage = 0;
    size_t depth = 0;
    size_t pos = 0;
    while (pos < length) {
        const uint8_t prefix = data[pos];
        if (prefix == kLongItemPrefix) {
            if (pos + 1 >= length) {
                return false;
            }
            const size_t skip = 3 + static_cast<size_t>(data[pos + 1]);
            if (pos + skip > length) {
                return false;
            }
            pos += skip;
            continue;
        }
        const size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (pos + 1 + size > length) {
            return false;
        }
        uint32_t value = 0;
        for (size_t i = 0; i < size; ++i) {
            value |= static_cast<uint32_t>(data[pos + 1 + i]) << (8 * i);
        }
        const uint8_t type = (prefix >> 2) & 3;
        const uint8_t tag = prefix >> 4;
        pos += 1 + size;

        if (type == kGlobal) {
            if (tag == kTagUsagePage) {
                usagePage = static_cast<uint16_t>(value);
            } else if (tag == kTagPush) {
                if (pageStack.size() >= kMaxDepth) {
                    return false;
                }
                pageStack.push_back(usagePage);
            } else if (tag == kTagPop) {
                if (pageStack.empty()) {
                    return false;
                }
                usagePage = pageStack.back();
                pageStack.pop_back();
            }
        } else if (type == kLocal) {
            if (tag == kTagUsage && !haveUsage) {
                // A four-byte usage carries its own page in the high half.
                firstUsage = size == 4 ? value : (static_cast<uint32_t>(usagePage) << 16) | (value & 0xFFFF);
                haveUsage = true;
            }
        } else if (type == kMain) {
            if (tag == kTagCollection) {
                if (depth == 0) {
                    if (!haveUsage) {
                        firstUsage = static_cast<uint32_t>(usagePage) << 16;
                    }
                    collections.push_back({static_cast<uint16_t>(firstUsage >> 16),
                                           static_cast<uint16_t>(firstUsage & 0xFFFF)});
                }
                if (++depth > kMaxDepth) {
                    return false;
                }
            } else if (tag == kTagEndCollection) {
                if (depth == 0) {
                    return false;
                }
                --depth;
            }
            // Local items apply to the next main item only.
            haveUsage = false;
            firstUsage = 0;
        }
    }
    return depth == 0;
}

}  // namespace vorlix

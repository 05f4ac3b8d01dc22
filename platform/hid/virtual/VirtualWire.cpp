#include "VirtualWire.h"

#include <cstdio>
#include <cstdlib>

#include "SocketLine.h"
#include "shared/Utf16.h"

namespace vorlix::vwire {

namespace {

bool ParseUnsigned(const std::string& word, unsigned long& value) {
    char* end = nullptr;
    value = std::strtoul(word.c_str(), &end, 0);
    return !word.empty() && end != nullptr && *end == '\0';
}

}  // namespace

std::string EncodeText(const std::string& text) {
    return CSocketLine::ToHex(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

bool DecodeText(const std::string& word, std::string& text) {
    std::vector<uint8_t> bytes;
    if (!CSocketLine::FromHex(word, bytes)) {
        return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

std::string EncodeInterface(const HidInterfaceInfo& info) {
    std::string collections;
    for (const HidCollection& c : info.collections) {
        char item[16];
        std::snprintf(item, sizeof item, "%s%04x:%04x", collections.empty() ? "" : ",", c.usagePage, c.usage);
        collections += item;
    }
    if (collections.empty()) {
        collections = "-";
    }
    return EncodeText(info.path) + " " + std::to_string(info.vendorId) + " " +
           std::to_string(info.productId) + " " + std::to_string(info.version) + " " +
           std::to_string(info.interfaceNumber) + " " + (info.composite ? "1" : "0") + " " + collections +
           " " + EncodeText(Utf16ToUtf8(info.product)) + " " + EncodeText(Utf16ToUtf8(info.manufacturer)) +
           " " + EncodeText(info.device);
}

bool DecodeInterface(const std::vector<std::string>& words, size_t first, HidInterfaceInfo& info) {
    if (words.size() < first + 10) {
        return false;
    }
    unsigned long vid = 0;
    unsigned long pid = 0;
    unsigned long version = 0;
    unsigned long number = 0;
    std::string product;
    std::string manufacturer;
    if (!DecodeText(words[first], info.path) || !ParseUnsigned(words[first + 1], vid) ||
        !ParseUnsigned(words[first + 2], pid) || !ParseUnsigned(words[first + 3], version) ||
        !ParseUnsigned(words[first + 4], number) || !DecodeText(words[first + 7], product) ||
        !DecodeText(words[first + 8], manufacturer) || !DecodeText(words[first + 9], info.device)) {
        return false;
    }
    info.vendorId = static_cast<uint16_t>(vid);
    info.productId = static_cast<uint16_t>(pid);
    info.version = static_cast<uint16_t>(version);
    info.interfaceNumber = static_cast<int>(number);
    info.composite = words[first + 5] == "1";
    info.collections.clear();
    const std::string& list = words[first + 6];
    if (list != "-") {
        size_t pos = 0;
        while (pos < list.size()) {
            unsigned page = 0;
            unsigned usage = 0;
            if (std::sscanf(list.c_str() + pos, "%4x:%4x", &page, &usage) != 2) {
                return false;
            }
            info.collections.push_back({static_cast<uint16_t>(page), static_cast<uint16_t>(usage)});
            const size_t comma = list.find(',', pos);
            pos = comma == std::string::npos ? list.size() : comma + 1;
        }
    }
    info.product = Utf8ToUtf16(product);
    info.manufacturer = Utf8ToUtf16(manufacturer);
    return true;
}

std::string ErrorLine(HidStatus status) {
    return std::string(kError) + " " + std::to_string(static_cast<int>(status));
}

HidStatus ErrorStatus(const std::vector<std::string>& words) {
    if (words.size() >= 2 && words[0] == kError) {
        const int code = std::atoi(words[1].c_str());
        if (code >= static_cast<int>(HidStatus::NotFound) && code <= static_cast<int>(HidStatus::TimedOut)) {
            return static_cast<HidStatus>(code);
        }
    }
    return HidStatus::IoFailed;
}

}  // namespace vorlix::vwire

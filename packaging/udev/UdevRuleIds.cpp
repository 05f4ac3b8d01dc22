#include "UdevRuleIds.h"

#include <array>
#include <cstdio>
#include <sstream>
#include <string_view>

namespace vorlix {

namespace {

constexpr std::array<std::string_view, 3> kVendorKeys{"ATTRS{idVendor}==\"", "ATTR{idVendor}==\"",
                                                      "ENV{ID_VENDOR_ID}==\""};
constexpr std::array<std::string_view, 3> kProductKeys{"ATTRS{idProduct}==\"", "ATTR{idProduct}==\"",
                                                       "ENV{ID_MODEL_ID}==\""};

std::string Hex4(uint16_t id) {
    char text[5];
    std::snprintf(text, sizeof text, "%04x", id);
    return text;
}

// Replaces the quoted value after each key on the line; returns how many values were replaced, or -1
// when a value has no closing quote.
template <size_t N>
int ReplaceValues(std::string& line, const std::array<std::string_view, N>& keys, const std::string& value) {
    int replaced = 0;
    for (std::string_view key : keys) {
        size_t at = 0;
        while ((at = line.find(key, at)) != std::string::npos) {
            const size_t begin = at + key.size();
            const size_t end = line.find('"', begin);
            if (end == std::string::npos) {
                return -1;
            }
            line.replace(begin, end - begin, value);
            at = begin + value.size() + 1;
            ++replaced;
        }
    }
    return replaced;
}

}  // namespace

CUdevRuleIds::SResult CUdevRuleIds::Apply(const std::string& rules, uint16_t vendorId, uint16_t productId) {
    SResult result;
    std::istringstream in(rules);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const size_t first = line.find_first_not_of(" \t");
        const bool isRule = first != std::string::npos && line[first] != '#';
        if (isRule) {
            const int vendors = ReplaceValues(line, kVendorKeys, Hex4(vendorId));
            const int products = ReplaceValues(line, kProductKeys, Hex4(productId));
            if (vendors < 0 || products < 0) {
                result.error = "line " + std::to_string(number) + ": an id value has no closing quote";
                return result;
            }
            if (vendors == 0 || products == 0) {
                result.error = "line " + std::to_string(number) +
                               ": the rule does not match both the vendor and the product id";
                return result;
            }
        }
        result.text += line;
        result.text += '\n';
    }
    result.ok = true;
    return result;
}

}  // namespace vorlix

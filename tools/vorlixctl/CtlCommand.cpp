#include "CtlCommand.h"

#include <cerrno>
#include <cstdlib>

namespace vorlix::ctl {

bool ParseNumber(const std::string& text, long long& value) {
    if (text.empty()) {
        return false;
    }
    const bool negative = text[0] == '-';
    std::string digits = negative ? text.substr(1) : text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits = digits.substr(2);
    }
    if (digits.empty() || digits[0] == '-' || digits[0] == '+') {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(digits.c_str(), &end, base);
    if (errno != 0 || end == nullptr || *end != '\0') {
        return false;
    }
    value = negative ? -parsed : parsed;
    return true;
}

}  // namespace vorlix::ctl

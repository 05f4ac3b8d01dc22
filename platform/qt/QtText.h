#pragma once

#include <QString>
#include <string_view>

namespace vorlix {

// The texts of the core (UTF-16 tables, names, messages) as Qt strings, with no copy through UTF-8.
inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vorlix

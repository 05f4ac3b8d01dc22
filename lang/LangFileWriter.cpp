#include "LangFileWriter.h"

#include "shared/Utf16.h"

namespace vorlix {

namespace {

std::u16string Number(int value) {
    return Utf8ToUtf16(std::to_string(value));
}

}  // namespace

std::vector<std::u16string> CLangFileWriter::Lines(const CTextTables& tables, const std::string& fileName) {
    std::vector<std::u16string> lines;
    for (int i = 0; i < CTextTables::kFontCount; ++i) {
        const SFontEntry& font = tables.Font(i);
        lines.push_back(font.name);
        lines.push_back(Number(font.height));
        lines.push_back(Number(font.width));
        lines.push_back(Number(font.weight));
    }
    lines.push_back(Number(tables.LanguageNumber()));
    for (ETextTable table : CTextTables::kFileOrder) {
        for (int i = 0; i < CTextTables::Count(table); ++i) {
            lines.emplace_back(tables.Text(table, i));
        }
    }
    const std::u16string name = Utf8ToUtf16(fileName);
    lines.push_back(name);
    for (int i = 0; i < CTextTables::Count(ETextTable::Tray); ++i) {
        lines.emplace_back(tables.Text(ETextTable::Tray, i));
    }
    lines.push_back(name);
    return lines;
}

std::vector<uint8_t> CLangFileWriter::Encode(const std::vector<std::u16string>& lines) {
    std::vector<uint8_t> bytes{0xFF, 0xFE};
    auto put = [&bytes](char16_t c) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    };
    for (const std::u16string& line : lines) {
        for (char16_t c : line) {
            put(c);
        }
        put(u'\r');
        put(u'\n');
    }
    return bytes;
}

}  // namespace vorlix

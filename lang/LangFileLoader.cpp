#include "LangFileLoader.h"

#include <climits>

#include "LangLineReader.h"
#include "shared/Utf16.h"

namespace vorlix {

namespace {

bool ReadNameLine(CLangLineReader& reader, const std::string& fileName) {
    std::u16string line;
    return reader.ReadLine(line) && line == Utf8ToUtf16(fileName);
}

bool ReadConfigInto(ILangFile& file, const std::string& fileName, CTextTables& loaded) {
    CLangLineReader reader(file, CLangLineReader::kConfigChunkBytes);
    if (!reader.ReadByteOrderMark()) {
        return false;
    }
    std::u16string line;
    for (int font = 0; font < CTextTables::kFontCount; ++font) {
        SFontEntry entry;
        if (!reader.ReadLine(entry.name)) {
            return false;
        }
        int* numbers[] = {&entry.height, &entry.width, &entry.weight};
        for (int* number : numbers) {
            if (!reader.ReadLine(line)) {
                return false;
            }
            *number = CLangFileLoader::ParseInteger(line);
        }
        loaded.SetFont(font, entry);
    }
    if (!reader.ReadLine(line)) {
        return false;
    }
    loaded.SetLanguageNumber(CLangFileLoader::ParseInteger(line));
    for (ETextTable table : CTextTables::kFileOrder) {
        for (int i = 0; i < CTextTables::Count(table); ++i) {
            if (!reader.ReadLine(line)) {
                return false;
            }
            loaded.SetText(table, i, line);
        }
    }
    return ReadNameLine(reader, fileName);
}

bool ReadTrayInto(ILangFile& file, const std::string& fileName, CTextTables& loaded) {
    CLangLineReader reader(file, CLangLineReader::kMonitorChunkBytes);
    if (!reader.ReadByteOrderMark()) {
        return false;
    }
    std::u16string line;
    for (int skipped = 0; skipped < CLangFileLoader::kConfigNameLine; ++skipped) {
        if (!reader.ReadLine(line)) {
            return false;
        }
    }
    for (int i = 0; i < CTextTables::Count(ETextTable::Tray); ++i) {
        if (!reader.ReadLine(line)) {
            return false;
        }
        loaded.SetText(ETextTable::Tray, i, line);
    }
    return ReadNameLine(reader, fileName);
}

}  // namespace

int CLangFileLoader::LoadConfigTables(ILangFile& file, const std::string& fileName, CTextTables& tables) {
    // Read into a copy and take it only when the whole file passed. Every table, the command list
    // title included, is otherwise back at its default.
    CTextTables loaded = tables;
    if (!ReadConfigInto(file, fileName, loaded)) {
        tables.ResetConfigTables();
        return 0;
    }
    for (int i = 0; i < CTextTables::Count(ETextTable::Tray); ++i) {
        loaded.SetText(ETextTable::Tray, i, tables.Text(ETextTable::Tray, i));
    }
    tables = loaded;
    return 1;
}

int CLangFileLoader::LoadTrayTexts(ILangFile& file, const std::string& fileName, CTextTables& tables) {
    CTextTables loaded = tables;
    if (!ReadTrayInto(file, fileName, loaded)) {
        tables.ResetTrayTexts();
        return 0;
    }
    for (int i = 0; i < CTextTables::Count(ETextTable::Tray); ++i) {
        tables.SetText(ETextTable::Tray, i, loaded.Text(ETextTable::Tray, i));
    }
    return 1;
}

int CLangFileLoader::ParseInteger(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    value = negative ? -value : value;
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value < INT_MIN ? INT_MIN : value);
}

}  // namespace vorlix

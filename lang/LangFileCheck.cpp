#include "LangFileCheck.h"

#include <algorithm>
#include <cctype>

#include "LangFileLoader.h"
#include "LanguageChoice.h"
#include "MemoryLangFileSystem.h"
#include "TextTables.h"
#include "shared/Utf16.h"

namespace vorlix {

namespace {

constexpr size_t kMaxLineLength = 1022;
constexpr int kLinesPerFont = 4;
constexpr int kLanguageNumberLine = CTextTables::kFontCount * kLinesPerFont + 1;  // 29

struct SLineRole {
    enum class EKind { None, FontName, FontNumber, LanguageNumber, Text, NameLine } kind = EKind::None;
    int font = 0;
    int field = 0;  // 1 height, 2 width, 3 weight
    ETextTable table = ETextTable::Ui;
    int index = 0;
};

SLineRole RoleOf(int line) {
    SLineRole role;
    if (line >= 1 && line < kLanguageNumberLine) {
        role.font = (line - 1) / kLinesPerFont;
        role.field = (line - 1) % kLinesPerFont;
        role.kind = role.field == 0 ? SLineRole::EKind::FontName : SLineRole::EKind::FontNumber;
        return role;
    }
    if (line == kLanguageNumberLine) {
        role.kind = SLineRole::EKind::LanguageNumber;
        return role;
    }
    if (line == CLangFileLoader::kConfigNameLine || line == CLangFileLoader::kMonitorNameLine) {
        role.kind = SLineRole::EKind::NameLine;
        return role;
    }
    if (line >= CLangFileLoader::kTrayFirstLine && line < CLangFileLoader::kMonitorNameLine) {
        role.kind = SLineRole::EKind::Text;
        role.table = ETextTable::Tray;
        role.index = line - CLangFileLoader::kTrayFirstLine;
        return role;
    }
    int first = kLanguageNumberLine + 1;
    for (ETextTable table : CTextTables::kFileOrder) {
        const int count = CTextTables::Count(table);
        if (line >= first && line < first + count) {
            role.kind = SLineRole::EKind::Text;
            role.table = table;
            role.index = line - first;
            return role;
        }
        first += count;
    }
    return role;
}

std::string TableName(ETextTable table, int index) {
    switch (table) {
        case ETextTable::Ui:
            return "UI text " + std::to_string(index);
        case ETextTable::Message:
            return "message " + std::to_string(index);
        case ETextTable::Spare:
            return "spare text";
        case ETextTable::Caption:
            return "message caption";
        case ETextTable::DelayUnit:
            return "delay unit " + std::to_string(index);
        case ETextTable::Function:
            return "function name " + std::to_string(index);
        case ETextTable::Command:
            return index == CTextTables::kCommandListTitle ? "command list title"
                                                           : "command name " + std::to_string(index);
        case ETextTable::LedMode:
            return "LED mode text " + std::to_string(index);
        case ETextTable::Tray:
            return "tray text " + std::to_string(index);
    }
    return {};
}

bool IsCleanInteger(const std::u16string& text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        ++i;
    }
    return i < text.size() && std::all_of(text.begin() + static_cast<long>(i), text.end(),
                                          [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

std::string Quoted(const std::u16string& text) {
    constexpr size_t kShown = 60;
    std::string shown = Utf16ToUtf8(text.substr(0, kShown));
    return "\"" + shown + (text.size() > kShown ? "...\"" : "\"");
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

class CChecker {
public:
    CChecker(const std::vector<uint8_t>& bytes, const std::string& fileName)
        : m_bytes(bytes), m_name(fileName) {}

    CLangFileCheck::SResult Run() {
        if (CheckEncoding()) {
            SplitLines();
            CheckLines();
            CheckCounts();
        }
        if (!CLanguageChoice::IsKnownFileName(m_name)) {
            Warn(
                0,
                "no language uses the file name \"" + m_name +
                    "\"; the programs only look for the names of their language table (e.g. \"German.txt\")");
        }
        Verdicts();
        std::stable_sort(m_result.problems.begin(), m_result.problems.end(),
                         [](const auto& a, const auto& b) { return a.line < b.line; });
        return m_result;
    }

private:
    void Error(int line, std::string text) {
        m_result.problems.push_back({line, CLangFileCheck::ESeverity::Error, std::move(text)});
    }
    void Warn(int line, std::string text) {
        m_result.problems.push_back({line, CLangFileCheck::ESeverity::Warning, std::move(text)});
    }

    bool CheckEncoding() {
        const auto starts = [this](std::initializer_list<uint8_t> prefix) {
            return m_bytes.size() >= prefix.size() &&
                   std::equal(prefix.begin(), prefix.end(), m_bytes.begin());
        };
        if (starts({0xFF, 0xFE})) {
            if (m_bytes.size() % 2 != 0) {
                Warn(0, "the file ends in half a character (an odd number of bytes)");
            }
            return true;
        }
        if (starts({0xEF, 0xBB, 0xBF})) {
            Error(
                1,
                "the file is UTF-8 (it starts with a UTF-8 byte-order mark); save it as UTF-16 little-endian "
                "with byte-order mark");
        } else if (starts({0xFE, 0xFF})) {
            Error(1, "the file is UTF-16 big-endian; save it as UTF-16 little-endian with byte-order mark");
        } else {
            Error(1,
                  "the file does not start with the byte-order mark FF FE; save it as UTF-16 little-endian "
                  "with byte-order mark");
        }
        return false;
    }

    // The file's lines as a correctly written file would have them: separated by CR LF.
    void SplitLines() {
        std::u16string text;
        for (size_t i = 2; i + 1 < m_bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(m_bytes[i] | (m_bytes[i + 1] << 8)));
        }
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = text.find(u"\r\n", start);
            if (end == std::u16string::npos) {
                m_lines.push_back(text.substr(start));
                m_lastTerminated = false;
                break;
            }
            m_lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        m_result.lineCount = static_cast<int>(m_lines.size());
    }

    void CheckLines() {
        for (size_t i = 0; i < m_lines.size(); ++i) {
            const int number = static_cast<int>(i) + 1;
            const std::u16string& line = m_lines[i];
            if (line.find_first_of(u"\r\n") != std::u16string::npos) {
                Warn(number,
                     "contains a line break that is not CR LF; the programs read what follows it as "
                     "part of this line");
            }
            if (line.size() > kMaxLineLength) {
                Error(number, std::to_string(line.size()) + " characters; a line holds at most " +
                                  std::to_string(kMaxLineLength) +
                                  ", longer ones are read as more than one line");
            }
            // The programs drop the last character of a line without CR LF; judge what they read.
            const bool unterminated = i + 1 == m_lines.size() && !m_lastTerminated;
            CheckContent(number, unterminated && !line.empty() ? line.substr(0, line.size() - 1) : line);
        }
        if (!m_lines.empty() && !m_lastTerminated) {
            Error(m_result.lineCount, "does not end with CR LF; the programs drop its last character");
        }
    }

    void CheckContent(int number, const std::u16string& line) {
        const SLineRole role = RoleOf(number);
        switch (role.kind) {
            case SLineRole::EKind::FontName:
                CheckLength(number, line, CTextTables::kFontNameCapacity);
                break;
            case SLineRole::EKind::FontNumber:
            case SLineRole::EKind::LanguageNumber: {
                const int value = CLangFileLoader::ParseInteger(line);
                if (!IsCleanInteger(line)) {
                    Warn(number, Quoted(line) + " is not a whole number; read as " + std::to_string(value));
                }
                if (role.kind == SLineRole::EKind::FontNumber) {
                    const int used = role.field == 1   ? CTextTables::ClampFontHeight(value)
                                     : role.field == 2 ? CTextTables::ClampFontWidth(value)
                                                       : CTextTables::ClampFontWeight(value);
                    if (used != value) {
                        Warn(number,
                             std::to_string(value) + " is out of range; used as " + std::to_string(used));
                    }
                }
                break;
            }
            case SLineRole::EKind::Text:
                CheckLength(number, line, CTextTables::Capacity(role.table));
                break;
            case SLineRole::EKind::NameLine:
                CheckName(number, line);
                break;
            case SLineRole::EKind::None:
                break;
        }
    }

    void CheckLength(int number, const std::u16string& line, size_t capacity) {
        if (line.size() > capacity - 1 && line.size() <= kMaxLineLength) {
            Warn(number, std::to_string(line.size()) + " characters; only the first " +
                             std::to_string(capacity - 1) + " are shown");
        }
    }

    void CheckName(int number, const std::u16string& line) {
        const std::string name = Utf16ToUtf8(line);
        if (name == m_name) {
            return;
        }
        if (EqualIgnoringCase(name, m_name)) {
            Error(number,
                  "reads " + Quoted(line) + "; it must be \"" + m_name + "\" exactly, letter case included");
        } else {
            Error(number, "reads " + Quoted(line) + "; it must be the file's own name \"" + m_name + "\"");
        }
    }

    void CheckCounts() {
        const int count = m_result.lineCount;
        if (count < CLangFileLoader::kConfigNameLine) {
            Error(count, "the file ends after line " + std::to_string(count) +
                             "; the configuration program needs " +
                             std::to_string(CLangFileLoader::kConfigNameLine) + " lines");
        }
        if (count < CLangFileLoader::kMonitorNameLine) {
            Error(count, "the file ends after line " + std::to_string(count) + "; the monitor needs " +
                             std::to_string(CLangFileLoader::kMonitorNameLine) + " lines");
        }
    }

    // What the programs themselves make of the file, with their own reader.
    void Verdicts() {
        CMemoryLangFileSystem files;
        files.Add(m_name, m_bytes);
        CTextTables tables;
        m_result.configAccepted = CLangFileLoader::LoadConfigTables(*files.Open(m_name), m_name, tables) == 1;
        m_result.monitorAccepted = CLangFileLoader::LoadTrayTexts(*files.Open(m_name), m_name, tables) == 1;
        m_result.configNeverReads = !CLanguageChoice::IsKnownFileName(m_name);
        m_result.monitorNeverReads =
            m_result.configNeverReads || m_name == "English.txt" || m_name == "Thai.txt";
    }

    const std::vector<uint8_t>& m_bytes;
    const std::string m_name;
    std::vector<std::u16string> m_lines;
    bool m_lastTerminated = true;
    CLangFileCheck::SResult m_result;
};

}  // namespace

std::string CLangFileCheck::DescribeLine(int line) {
    const SLineRole role = RoleOf(line);
    static const char* const kFields[] = {"name", "height", "width", "weight"};
    switch (role.kind) {
        case SLineRole::EKind::FontName:
        case SLineRole::EKind::FontNumber:
            return "font " + std::to_string(role.font) + " " + kFields[role.field];
        case SLineRole::EKind::LanguageNumber:
            return "language number";
        case SLineRole::EKind::Text:
            return TableName(role.table, role.index);
        case SLineRole::EKind::NameLine:
            return "name line";
        case SLineRole::EKind::None:
            break;
    }
    return "ignored line";
}

CLangFileCheck::SResult CLangFileCheck::Check(const std::vector<uint8_t>& bytes,
                                              const std::string& fileName) {
    return CChecker(bytes, fileName).Run();
}

}  // namespace vorlix

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

// Checks a language file for translators: what each program would make of it and why.
class CLangFileCheck {
public:
    enum class ESeverity { Error, Warning };

    struct SProblem {
        int line = 0;  // 1-based line of the file; 0 for the file as a whole
        ESeverity severity = ESeverity::Error;
        std::string text;
    };

    struct SResult {
        std::vector<SProblem> problems;
        int lineCount = 0;
        bool configAccepted = false;
        bool monitorAccepted = false;
        // The program never looks for a file of this name (the monitor for English and Thai).
        bool configNeverReads = false;
        bool monitorNeverReads = false;
    };

    // bytes: the whole file; fileName: its own name, which the name lines must repeat.
    static SResult Check(const std::vector<uint8_t>& bytes, const std::string& fileName);

    // What a line of a language file holds, for example "UI text 5" or "font 1 height".
    static std::string DescribeLine(int line);
};

}  // namespace vorlix

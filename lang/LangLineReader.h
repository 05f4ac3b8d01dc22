#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "LangFileSystem.h"

namespace vorlix {

// Reads a language file the way both programs do: a byte-order mark, then one line per call, each line
// found in a fixed-size chunk read from the current position.
class CLangLineReader {
public:
    // Chunk sizes of the two programs.
    static constexpr size_t kConfigChunkBytes = 2048;
    static constexpr size_t kMonitorChunkBytes = 32768;

    CLangLineReader(ILangFile& file, size_t chunkBytes);

    // Reads two bytes; 1 when they are the UTF-16LE byte-order mark FF FE.
    int ReadByteOrderMark();
    // Reads the next line into line (without its CR LF). A chunk without CR LF gives its characters less
    // the last one and the position moves as if a CR LF had followed. 0 at the end of the file.
    int ReadLine(std::u16string& line);

    uint64_t Position() const { return m_position; }

private:
    ILangFile& m_file;
    std::vector<uint8_t> m_chunk;
    uint64_t m_position = 0;
};

}  // namespace vorlix

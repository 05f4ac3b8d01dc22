#include "LangLineReader.h"

namespace vorlix {

CLangLineReader::CLangLineReader(ILangFile& file, size_t chunkBytes) : m_file(file), m_chunk(chunkBytes) {}

int CLangLineReader::ReadByteOrderMark() {
    uint8_t mark[2] = {0, 0};
    const long read = m_file.ReadAt(m_position, mark, 2);
    if (read != 2) {
        return 0;
    }
    m_position += 2;
    return mark[0] == 0xFF && mark[1] == 0xFE ? 1 : 0;
}

int CLangLineReader::ReadLine(std::u16string& line) {
    const long read = m_file.ReadAt(m_position, m_chunk.data(), m_chunk.size());
    // A lone trailing byte holds no character; taking "all characters less the last one" of an empty
    // chunk would underflow, so it counts as the end of the file.
    const size_t chars = read > 0 ? static_cast<size_t>(read) / 2 : 0;
    if (chars == 0) {
        return 0;
    }
    auto at = [this](size_t i) {
        return static_cast<char16_t>(m_chunk[2 * i] | (static_cast<unsigned>(m_chunk[2 * i + 1]) << 8));
    };
    size_t length = chars - 1;
    for (size_t i = 0; i + 1 < chars; ++i) {
        if (at(i) == u'\r' && at(i + 1) == u'\n') {
            length = i;
            break;
        }
    }
    line.resize(length);
    for (size_t i = 0; i < length; ++i) {
        line[i] = at(i);
    }
    m_position += 2 * static_cast<uint64_t>(length) + 4;
    return 1;
}

}  // namespace vorlix

#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace vorlix {

// One end of the virtual mouse's local stream socket. Requests and answers are single text lines;
// byte strings travel as hex.
class CSocketLine {
public:
    CSocketLine() = default;
    explicit CSocketLine(int fd) : m_fd(fd) {}
    ~CSocketLine();
    CSocketLine(const CSocketLine&) = delete;
    CSocketLine& operator=(const CSocketLine&) = delete;

    // Connects to the socket at path; false when nothing listens there.
    bool Connect(const std::string& path);
    bool Valid() const { return m_fd >= 0; }
    bool Send(const std::string& line);
    // Reads one line without its newline; false at the end of the stream.
    bool Receive(std::string& line);
    // Send, then Receive.
    bool Request(const std::string& line, std::string& answer);
    // Ends the connection from another thread too: a blocked Receive returns false.
    void Shutdown();

    static std::string ToHex(const uint8_t* data, size_t length);
    static bool FromHex(const std::string& text, std::vector<uint8_t>& bytes);
    static std::vector<std::string> Split(const std::string& line);

private:
    int m_fd = -1;
    std::string m_pending;
    std::mutex m_sendMutex;  // whole lines, also when events and answers share the connection
};

}  // namespace vorlix

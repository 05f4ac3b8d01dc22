#pragma once

#include <QImage>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace vorlix {

// The pictures a window needs as soon as it starts, decoded once per process. The program names them
// before it builds the window; a worker thread decodes them while the main thread sets up the rest
// (fonts, store, controls), and a picture the main thread asks for before the worker reached it is
// decoded right there instead of waiting. Pictures not named here are not kept.
class CSkinImageCache {
public:
    using Decoder = std::function<QImage(int id)>;

    explicit CSkinImageCache(Decoder decode);
    ~CSkinImageCache();
    CSkinImageCache(const CSkinImageCache&) = delete;
    CSkinImageCache& operator=(const CSkinImageCache&) = delete;

    // The cache CSkinImages uses.
    static CSkinImageCache& Instance();

    // Starts decoding these pictures in the background, in the order given. Ids already named are
    // skipped.
    void Prefetch(const std::vector<int>& ids);
    // The named picture, decoded once (waiting for the worker if it is decoding it now); nothing for a
    // picture that was never named.
    std::optional<QImage> Find(int id);
    // Ends the background decoding (the picture in hand is finished) and waits for the worker. Called
    // before the application object goes: the decoders the worker uses belong to Qt's own statics.
    void Stop();

private:
    enum class EState { Queued, Decoding, Done };
    struct SEntry {
        EState state = EState::Queued;
        QImage image;
    };

    void Work();

    Decoder m_decode;
    std::mutex m_mutex;
    std::condition_variable m_decoded;
    std::map<int, SEntry> m_entries;
    std::vector<int> m_queue;
    size_t m_next = 0;
    bool m_stopping = false;
    std::thread m_worker;
};

}  // namespace vorlix

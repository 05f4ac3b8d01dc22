#include "ui/skin/SkinImageCache.h"

#include "ui/skin/SkinImages.h"

namespace vorlix {

CSkinImageCache::CSkinImageCache(Decoder decode) : m_decode(std::move(decode)) {}

CSkinImageCache::~CSkinImageCache() {
    Stop();
}

void CSkinImageCache::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

CSkinImageCache& CSkinImageCache::Instance() {
    static CSkinImageCache cache(&CSkinImages::Decode);
    return cache;
}

void CSkinImageCache::Prefetch(const std::vector<int>& ids) {
    std::lock_guard lock(m_mutex);
    for (const int id : ids) {
        if (m_entries.emplace(id, SEntry{}).second) {
            m_queue.push_back(id);
        }
    }
    if (!m_stopping && !m_worker.joinable() && m_next < m_queue.size()) {
        m_worker = std::thread([this] { Work(); });
    }
}

std::optional<QImage> CSkinImageCache::Find(int id) {
    std::unique_lock lock(m_mutex);
    const auto entry = m_entries.find(id);
    if (entry == m_entries.end()) {
        return std::nullopt;
    }
    if (entry->second.state == EState::Queued) {
        // The worker has not reached it: decoding it here is quicker than waiting.
        entry->second.state = EState::Decoding;
        lock.unlock();
        QImage image = m_decode(id);
        lock.lock();
        entry->second.image = std::move(image);
        entry->second.state = EState::Done;
        m_decoded.notify_all();
    }
    m_decoded.wait(lock, [&] { return entry->second.state == EState::Done; });
    return entry->second.image;
}

void CSkinImageCache::Work() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping && m_next < m_queue.size()) {
        SEntry& entry = m_entries[m_queue[m_next++]];
        if (entry.state != EState::Queued) {
            continue;
        }
        entry.state = EState::Decoding;
        const int id = m_queue[m_next - 1];
        lock.unlock();
        QImage image = m_decode(id);
        lock.lock();
        entry.image = std::move(image);
        entry.state = EState::Done;
        m_decoded.notify_all();
    }
}

}  // namespace vorlix

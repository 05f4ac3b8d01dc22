#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace vorlix {

// The animated "Loading" overlay: a spinning wheel of frames with a caption in its middle, shaped by
// the overlay key (pure green outside) and partly transparent. Shown centred on the main window while
// the device session reads or writes the mouse, advancing about twelve frames a second.
class COsdProgress : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFramePeriodMs = 83;
    static constexpr int kAlpha = 220;

    explicit COsdProgress(QWidget* parent = nullptr);

    // Creates the hidden overlay with its frame ids (405..416) and caption id (417). Returns 1.
    int Create(const std::vector<int>& frameIds, int captionId);
    // Composes frame `index` (the current one when negative) and shapes the window to it. 0, leaving
    // the window as it was, when not created, the index is not below the frame count, or a picture
    // cannot be loaded.
    int ShowFrame(int index);
    // The frame-advance tick: next frame, shown when it could be composed.
    void Advance();
    // Starts the animation centred on `over` (or where it is when null).
    void Start(QWidget* over);
    // Stops the animation and hides the overlay, as every device read or write does when it ends.
    void Stop();

    int FrameCount() const { return static_cast<int>(m_frameIds.size()); }
    int CurrentFrame() const { return m_current; }
    bool IsRunning() const { return m_timer.isActive(); }
    const QTimer& FrameTimer() const { return m_timer; }
    const QPixmap& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_created = false;
    std::vector<int> m_frameIds;
    int m_captionId = 0;
    int m_current = 0;
    QPixmap m_picture;
    QTimer m_timer;
};

}  // namespace vorlix

#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "osd/core/OsdState.h"

namespace vorlix {

// Shows the notices through the desktop's notification service where no X display exists to place the
// notice window on (a Wayland session without XWayland): each notice replaces the previous one and
// expires after three seconds.
class COsdNotificationView : public IOsdView {
public:
    bool Prepare(const SOsdPicture& picture) override;
    void SetVisible(bool visible) override;

    // The line a picture stands for ("Profile 2", "Level 2: 1600 DPI", "Report rate 500 Hz").
    static QString Text(const SOsdPicture& picture);

private:
    QString m_text;
    // Shared with the pending call, which may answer after the view is gone.
    std::shared_ptr<uint32_t> m_replaces = std::make_shared<uint32_t>(0);
};

}  // namespace vorlix

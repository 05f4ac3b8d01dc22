#pragma once

#include <QImage>
#include <QWidget>

#include "osd/core/OsdState.h"

namespace vorlix {

// The notice window: a borderless, always-on-top tool window that never takes the focus and lets
// clicks through, cut to its picture's shape (every pixel of the key colour is outside). Where a
// compositing manager runs it is drawn with alpha 220; where none does, translucency would turn into a
// black box, so the shape becomes a mask and the picture is drawn opaque.
class COsdWnd : public QWidget, public IOsdView {
public:
    explicit COsdWnd(QWidget* parent = nullptr);

    bool Prepare(const SOsdPicture& picture) override;
    void SetVisible(bool visible) override;

    // The picture as composed for the last Prepare, before the key colour was taken out.
    const QImage& Composed() const { return m_composed; }
    bool Composited() const { return m_composited; }
    // A picture embedded in the library; a null image when the id has none.
    static QImage Picture(int id);
    // The picture with its digits drawn in, in 32-bit RGB; a null image when a part cannot be loaded.
    static QImage Compose(const SOsdPicture& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static bool CompositorRunning();

    QImage m_composed;
    QImage m_drawn;  // what paintEvent draws: keyed to transparency when composited
    bool m_composited = false;
    int m_pictureId = 0;
};

}  // namespace vorlix

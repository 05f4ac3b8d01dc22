#pragma once

#include <QImage>
#include <map>

namespace vorlix::art {

// Draws every picture of the id table with QPainter, at the table's size and with its key colour.
class CArtGenerator {
public:
    // The picture for an id; a null image for an id the table does not list.
    QImage Draw(int id);

private:
    QImage MainFace();
    QImage WarningFace();
    QImage Performance();
    QImage Lighting();
    QImage MacroEditor();
    QImage Page(int id);
    QImage HotSpot(int id);
    QImage LedZone(int id);
    QImage Notice(int id);
    QImage OverlayFrame(int frame);
    QImage OverlayCaption();
    QImage TypeRow(int type);
    QImage Slider(int id);
    QImage Icon(int id);
    QImage Button(int id);
    QImage Cached(int id);

    std::map<int, QImage> m_cache;
};

}  // namespace vorlix::art

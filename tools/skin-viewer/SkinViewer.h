#pragma once

#include <QImage>
#include <QWidget>

class QLabel;
class QListWidget;
class QSpinBox;

namespace vorlix {

// Shows any picture of the id table by id: the picture, its outside as a checkerboard and the edge of
// its region outlined, with its size, key and role, so the art can be reviewed.
class CSkinViewer : public QWidget {
    Q_OBJECT
public:
    explicit CSkinViewer(QWidget* parent = nullptr);
    // Shows the picture; 0 when the id is not in the table.
    int ShowId(int id);
    // The picture as reviewed: outside checkered, region edge outlined.
    static QImage Review(int id, int zoom);
    // All pictures on one sheet.
    static QImage Sheet(int width);
    // A window's background with the first frame of every control's picture at its place, as the
    // window will look; a null image for a window without controls in the layout table.
    static QImage Preview(int window);

private:
    QListWidget* m_list;
    QLabel* m_picture;
    QLabel* m_facts;
    QSpinBox* m_zoom;
    int m_id = 0;
};

}  // namespace vorlix

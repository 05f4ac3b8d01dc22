#pragma once

#include <QPixmap>
#include <QWidget>

namespace vorlix {

// A progress bar drawn from an empty and a full picture: the full one is shown up to the filled share.
class CBitmapProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit CBitmapProgressBar(QWidget* parent = nullptr);
    int SetBitmaps(int emptyId, int fullId);
    void SetRange(int min, int max);
    void SetPos(int pos);
    int Pos() const { return m_pos; }
    // The width of the filled part; 0 for a one-value range.
    int FilledWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_empty;
    QPixmap m_full;
    int m_min = 0;
    int m_max = 100;
    int m_pos = 0;
};

}  // namespace vorlix

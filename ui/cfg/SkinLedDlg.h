#pragma once

#include <QColor>
#include <QImage>
#include <string>

#include "ui/cfg/DeviceChildDlg.h"
#include "ui/cfg/core/LedDialogModel.h"

namespace vorlix {

class CIcQT47;
class CRegStore;
class CTextTables;
class IClock;

// The LED (Light Option) dialog: five zones of the mouse picture, a hue bar and the colour square the
// user picks from, with the colour before and after the last pick. The decisions live in
// CLedDialogModel; this class lays the controls out on background 335, draws the square, the marker
// and the swatches over it and hands the model the clicks. While it runs it is reachable as
// "LED Edit Handle": posted command ids act as clicks, device notices go to the model.
class CSkinLedDlg : public CDeviceChildDlg {
    Q_OBJECT
public:
    static constexpr int kBackground = 335;
    static constexpr int kHueSlider = 1745;
    static constexpr QColor kMarkerPen{214, 218, 206};

    CSkinLedDlg(CIcQT47& device, IClock& clock, CRegStore& store, const CTextTables& texts,
                QWidget* parent = nullptr);
    ~CSkinLedDlg() override;

    // The profile the dialog ended on (the mouse may have switched profile while it was open).
    int EndProfile() const { return m_model.Profile(); }
    CLedDialogModel& Model() { return m_model; }
    // The background's pixels, as the model reads the hue column and the points outside the square.
    SPixelView BackgroundPixels() const;

protected:
    IDeviceDialogModel& DialogModel() override { return m_model; }
    std::string RequestText(int profile) const override;
    void ResetControls() override;
    // Shows the zone buttons and Apply as the model has them and redraws the square, marker and swatches.
    void RefreshView() override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void BuildControls();
    void OnZone(int id);
    void OnApply();

    CLedDialogModel m_model;
    QImage m_pixels;  // the background as 32-bit pixels
};

}  // namespace vorlix

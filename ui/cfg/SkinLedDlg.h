#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ui/cfg/core/LedDialogModel.h"
#include "ui/skin/SkinBackground.h"

namespace vorlix {

class CBitmapSlider;
class CHoverButtonEx;
class CIcQT47;
class CPublishedEndpoint;
class CRegStore;
class CTextTables;
class IClock;

// The LED (Light Option) dialog: five zones of the mouse picture, a hue bar and the colour square the
// user picks from, with the colour before and after the last pick. The decisions live in
// CLedDialogModel; this class lays the controls out on background 335, draws the square, the marker
// and the swatches over it and hands the model the clicks. While it runs it is reachable as
// "LED Edit Handle": posted command ids act as clicks, device notices go to the model.
class CSkinLedDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBackground = 335;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    static constexpr int kApply = 1728;
    static constexpr int kHueSlider = 1745;
    static constexpr QColor kMarkerPen{214, 218, 206};

    CSkinLedDlg(CIcQT47& device, IClock& clock, CRegStore& store, const CTextTables& texts,
                QWidget* parent = nullptr);
    ~CSkinLedDlg() override;

    // Opens the dialog for the profile and runs it through the modal runner, published under
    // "LED Edit Handle" in runtimeDir (nothing is published when it is empty). kModalOk or kModalCancel.
    int Run(int profile, const std::string& runtimeDir);
    // Opening without running (tests and pictures). False for a profile the dialog cannot edit.
    bool Prepare(int profile);
    int EndProfile() const { return m_model.Profile(); }
    bool IsRunning() const { return m_running; }
    // The mouse is gone: the dialog closes as cancelled without a word to the mouse.
    void CancelForLostDevice();
    void OnMessage(quint32 message, quint32 wParam, quint32 lParam);

    CLedDialogModel& Model() { return m_model; }
    QWidget* Control(int id) const;
    // The background's pixels, as the model reads the hue column and the points outside the square.
    SPixelView BackgroundPixels() const;

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CHoverButtonEx* AddButton(int id, int bitmap, int tooltip);
    void BuildControls();
    void OnZone(int id);
    void OnOk();
    void OnApply();
    void RefreshControls();
    void Close();

    CLedDialogModel m_model;
    CRegStore& m_store;
    const CTextTables& m_texts;
    CSkinBackground m_background;
    QImage m_pixels;  // the background as 32-bit pixels
    std::unique_ptr<CPublishedEndpoint> m_endpoint;
    std::map<int, QWidget*> m_controls;
    bool m_running = false;
    bool m_closed = false;
    bool m_deviceGone = false;
    std::optional<QPoint> m_dragOffset;
};

}  // namespace vorlix

#include "ui/cfg/core/LedDialogModel.h"

#include <algorithm>

#include "device/IcQT47.h"
#include "settings/SettingsMap.h"
#include "shared/Clock.h"
#include "shared/Messages.h"

namespace vorlix {

namespace {

constexpr int kRightSide = 1744;
constexpr int kLeftSide = 1741;
constexpr uint32_t kRed = 0xFF0000;

int Partner(int zone) {
    if (zone == kLeftSide) {
        return kRightSide;
    }
    if (zone == kRightSide) {
        return kLeftSide;
    }
    return CLedDialogModel::kNoZone;
}

}  // namespace

CLedDialogModel::CLedDialogModel(CIcQT47& device, IClock& clock) : m_device(device), m_clock(clock) {
    m_square.Draw(kRed);
}

int CLedDialogModel::Offset(int index) {
    return map::kLedOffset + 1 + map::kLedRecordSize * (index / 3) + index % 3;
}

int CLedDialogModel::RecordOfZone(int id) {
    switch (id) {
        case 1740:
            return 0;
        case kLeftSide:
        case kRightSide:
            return 1;
        case 1742:
            return 2;
        case 1743:
            return 3;
        default:
            return kNoZone;
    }
}

int CLedDialogModel::ImageByte(int offset) const {
    const int address = map::BlockBase(m_profile) + offset;
    return m_device.InMemory(address) ? m_device.Cell(address).value & 0xFF : 0;
}

void CLedDialogModel::Preview(int offset, int value) {
    m_device.SendEffect(0x00, offset, value & 0xFF);
}

void CLedDialogModel::Pause() {
    m_clock.SleepMs(kPauseMs);
}

// ---- Opening ----

bool CLedDialogModel::Open(int profile) {
    if (!map::ValidProfile(profile) ||
        !m_device.InMemory(map::BlockBase(profile) + Offset(3 * kRecords - 1))) {
        return false;
    }
    m_profile = profile;
    ReadColours();
    m_opening = m_current;
    m_before.fill(0);
    m_zone = kNoZone;
    m_record = kNoZone;
    m_square.Draw(kRed);
    m_point = {kStartX, kStartY};
    m_applyEnabled = false;
    return true;
}

void CLedDialogModel::ReadColours() {
    for (int i = 0; i < 3 * kRecords; ++i) {
        m_current[static_cast<size_t>(i)] = ImageByte(Offset(i));
    }
}

// ---- Zones ----

bool CLedDialogModel::SelectZone(int id) {
    const int record = RecordOfZone(id);
    if (record == kNoZone || id == m_zone || (m_zone != kNoZone && id == Partner(m_zone))) {
        return false;
    }
    m_zone = id;
    m_record = record;
    return true;
}

bool CLedDialogModel::ZoneShownSelected(int id) const {
    return m_zone != kNoZone && (id == m_zone || id == Partner(m_zone));
}

// ---- Hue, square and picking ----

void CLedDialogModel::MoveHue(int position, const SPixelView& background) {
    const int y = kSquareY + std::clamp(position, 0, kHueMax);
    if (kHueX < background.width && y < background.height) {
        SetHue(background.Rgb(kHueX, y));
    }
}

void CLedDialogModel::SetHue(uint32_t rgb) {
    m_square.Draw(rgb);
}

uint32_t CLedDialogModel::ShownColour(int x, int y, const SPixelView& background) const {
    const int column = x - kSquareX;
    const int row = y - kSquareY;
    if (column >= 0 && column < CColourSquare::kSize && row >= 0 && row < CColourSquare::kSize) {
        return m_square.Pixel(column, row);
    }
    if (x >= 0 && y >= 0 && x < background.width && y < background.height) {
        return background.Rgb(x, y);
    }
    return 0;
}

bool CLedDialogModel::Pick(int x, int y, bool plainLeftClick, const SPixelView& background) {
    if (!plainLeftClick || m_record == kNoZone || x < kSquareX || x > kPickRight || y < kSquareY ||
        y > kPickBottom) {
        return false;
    }
    const uint32_t rgb = ShownColour(x, y, background);
    const size_t first = static_cast<size_t>(3 * m_record);
    const int picked[3] = {static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                           static_cast<int>(rgb & 0xFF)};
    for (size_t c = 0; c < 3; ++c) {
        m_before[first + c] = m_current[first + c];
        m_current[first + c] = picked[c];
    }
    m_applyEnabled = true;
    m_point = {x, y};
    return true;
}

CLedDialogModel::SPoint CLedDialogModel::Marker() const {
    return {std::clamp(m_point.x, kMarkerLeft, kMarkerRight),
            std::clamp(m_point.y, kMarkerTop, kMarkerBottom)};
}

CLedDialogModel::Colour CLedDialogModel::Current(int record) const {
    const size_t first = static_cast<size_t>(3 * std::clamp(record, 0, kRecords - 1));
    return {m_current[first], m_current[first + 1], m_current[first + 2]};
}

CLedDialogModel::Colour CLedDialogModel::Opening(int record) const {
    const size_t first = static_cast<size_t>(3 * std::clamp(record, 0, kRecords - 1));
    return {m_opening[first], m_opening[first + 1], m_opening[first + 2]};
}

CLedDialogModel::Colour CLedDialogModel::Before() const {
    if (m_record == kNoZone) {
        return {0, 0, 0};
    }
    const size_t first = static_cast<size_t>(3 * m_record);
    return {m_before[first], m_before[first + 1], m_before[first + 2]};
}

CLedDialogModel::Colour CLedDialogModel::After() const {
    return m_record == kNoZone ? Colour{0, 0, 0} : Current(m_record);
}

// ---- Apply, OK, Cancel ----

void CLedDialogModel::Apply() {
    for (int i = 0; i < 3 * kRecords; ++i) {
        Preview(Offset(i), m_current[static_cast<size_t>(i)]);
        Pause();
    }
    m_device.SendControl(CIcQT47::kCtlLight, 0x03, 0x03);
    m_zone = kNoZone;
    m_record = kNoZone;
    m_applyEnabled = false;
}

void CLedDialogModel::Ok() {
    const int base = map::BlockBase(m_profile);
    for (int i = 0; i < 3 * kRecords; ++i) {
        const int offset = Offset(i);
        const int value = m_current[static_cast<size_t>(i)];
        Preview(offset, value);
        const int address = base + offset;
        if (m_device.InMemory(address)) {
            if (!m_device.Holds(address, value) &&
                !m_device.WriteByte(static_cast<unsigned>(address), value)) {
                m_device.SetCell(address, value);
            }
        }
        Pause();
    }
    m_device.SendControl(CIcQT47::kCtlLight, 0x03, 0x03);
}

void CLedDialogModel::Cancel(bool deviceGone) {
    if (deviceGone) {
        return;
    }
    bool sent = false;
    for (int i = 0; i < 3 * kRecords; ++i) {
        const size_t k = static_cast<size_t>(i);
        if (m_current[k] != m_opening[k]) {
            Preview(Offset(i), m_opening[k]);
            Pause();
            sent = true;
        }
    }
    if (sent) {
        m_device.SendControl(CIcQT47::kCtlLight, 0x03, 0x03);
    }
}

// ---- The monitor's notices ----

bool CLedDialogModel::OnNotice(uint32_t kind, uint32_t value) {
    if (kind != devnotice::kProfileOrResolution) {
        return false;
    }
    const int v = static_cast<int>(value & 0xFF);
    if (!(v & 0x80) || (v & 0x0F) > 3) {
        return true;
    }
    // The mouse switched profile: its colours become the dialog's, and so do the opening values, so
    // that a Cancel shows the new profile's own colours and not the old profile's.
    const int profile = (v >> 4) & 7;
    if (profile == m_profile || !map::ValidProfile(profile) ||
        profile >= CSettingsMap(m_device).ProfileCount()) {
        return true;
    }
    m_profile = profile;
    ReadColours();
    m_opening = m_current;
    m_before.fill(0);
    return true;
}

}  // namespace vorlix

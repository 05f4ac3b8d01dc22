#include "ui/cfg/core/CfgDialogModel.h"

#include <algorithm>

#include "device/IcQT47.h"
#include "settings/FactoryDefaults.h"
#include "settings/SettingsMap.h"
#include "shared/Clock.h"
#include "shared/MessagePoster.h"
#include "shared/Messages.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"
#include "ui/cfg/core/DeviceDialogHost.h"
#include "ui/dialogs/core/EditFilters.h"

namespace vorlix {

namespace {

using map::kLiftOffOffset;
using map::kPollingOffset;
constexpr int kLevelOffset = map::kLevelByteOffset;
constexpr int kLevels = map::kEditedLevels;
// The block's first bytes lead the dialog's offsets, so their remembered values sit at their own index.
static_assert(CCfgDialogModel::kOffsets[kPollingOffset] == kPollingOffset &&
              CCfgDialogModel::kOffsets[kLiftOffOffset] == kLiftOffOffset &&
              CCfgDialogModel::kOffsets[kLevelOffset] == kLevelOffset);
constexpr int kLiftOffRegister = 0x2E;
// The lift-off byte goes to the mouse this many times after Apply and a lift-off change.
constexpr int kLiftOffRounds = 3;
// ... and this many times after Cancel.
constexpr int kCancelLiftOffRounds = 2;
constexpr int kDefaultDoubleClickMs = 500;
constexpr int kDefaultSpeed = 10;
constexpr int kDefaultWheelLines = 3;

int XOffset(int level) {
    return map::kLevelRecordOffset + map::kLevelRecordSize * level;
}

std::u16string Decimal(int value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

}  // namespace

CCfgDialogModel::CCfgDialogModel(CIcQT47& device, IClock& clock, IPointerSettings& pointer, CRegStore& store,
                                 IMessagePoster& poster, IDeviceDialogHost& host)
    : m_device(device), m_clock(clock), m_pointer(pointer), m_store(store), m_poster(poster), m_host(host) {}

// ---- Image access ----

int CCfgDialogModel::Base() const {
    return map::BlockBase(m_profile);
}

int CCfgDialogModel::Byte(int offset) const {
    const int address = Base() + offset;
    return m_device.InMemory(address) ? m_device.Cell(address).value & 0xFF : 0;
}

void CCfgDialogModel::SetByte(int offset, int value) {
    const int address = Base() + offset;
    if (m_device.InMemory(address)) {
        m_device.SetCell(address, value & 0xFF);
    }
}

void CCfgDialogModel::Adopt(int offset, int value) {
    const int address = Base() + offset;
    if (m_device.InMemory(address)) {
        m_device.AdoptCell(address, value & 0xFF);
    }
}

void CCfgDialogModel::Effect(int offset, int value) {
    m_device.SendEffect(0x00, offset, value & 0xFF);
}

void CCfgDialogModel::LiftOffEffect(int liftOffByte) {
    m_device.SendCommand(0, CIcQT47::kCmdLiftOff, 0x00, kLiftOffRegister, liftOffByte & 0xFF, 0);
}

void CCfgDialogModel::Pause() {
    m_clock.SleepMs(kPauseMs);
}

// ---- Opening and the view ----

bool CCfgDialogModel::Open(int profile) {
    if (!map::ValidProfile(profile) || !m_device.InMemory(map::BlockBase(profile) + kOffsets.back())) {
        return false;
    }
    m_scale = SSensitivityScale::ForVariant(m_host.DeviceVariant());
    m_profile = profile;
    Load();
    Remember();
    return true;
}

void CCfgDialogModel::Load() {
    const int polling = Byte(kPollingOffset);
    if (!map::ValidPollingNibble(polling & 0x0F)) {
        SetByte(kPollingOffset, (polling & 0xF0) | 2);
    }
    m_view.pollingHz = map::ReportRateOfNibble(Byte(kPollingOffset) & 0x0F);

    // A level nibble above 3 shows the top level; editing it must not reach past the four level
    // records into the LED and button bytes.
    const int level = Byte(kLevelOffset) & 0x0F;
    m_view.levelPosition = std::min(kLevels, level + 1);
    m_level = std::min(level, kLevels - 1);
    ShowLevel();

    ReadDesktop();
    m_view.liftOffPosition = std::min(kLiftOffMax, CSettingsMap(m_device).LiftOff(m_profile));
}

void CCfgDialogModel::Remember() {
    for (size_t i = 0; i < kOffsets.size(); ++i) {
        int value = Byte(kOffsets[i]);
        if (kOffsets[i] == kLevelOffset && (value & 0xF0) != map::kLevelCountNibble) {
            value = map::kLevelCountNibble | (value & 0x0F);
        }
        m_remembered[i] = value;
    }
}

void CCfgDialogModel::ReadDesktop() {
    SPointerValues values;
    m_desktopKnown = m_pointer.Read(values);
    if (!m_desktopKnown) {
        return;
    }
    m_rememberedDesktop = values;
    m_view.doubleClickPosition = std::clamp(values.doubleClickMs / 100, kSliderMin, kSliderMax);
    m_view.cursorPosition = std::clamp(values.speed / 2, kSliderMin, kSliderMax);
    m_view.scrollPosition = values.wheelLines == SPointerValues::kWheelPage
                                ? kSliderMax
                                : std::clamp(values.wheelLines, kSliderMin, kSliderMax);
}

void CCfgDialogModel::ShowLevel() {
    const int shown = CSettingsMap(m_device).ShownLevelValue(m_profile, m_level);
    ShowDpi(m_scale.DeviceToUnits(shown));
}

void CCfgDialogModel::ShowDpi(int units) {
    units = std::clamp(units, 1, m_scale.highestUnits);
    m_view.dpiText = Decimal(m_scale.UnitsToDpi(units));
    m_view.dpiSliderPosition = m_scale.highestUnits + 1 - units;
}

// ---- The user's actions ----

void CCfgDialogModel::ChoosePolling(int hz) {
    const int nibble = map::PollingNibbleOfRate(hz);
    if (nibble == 0 || hz == m_view.pollingHz) {
        return;
    }
    const int byte = Byte(kPollingOffset);
    if ((byte & 0x0F) != nibble) {
        const int chosen = (byte & 0xF0) | nibble;
        Effect(kPollingOffset, chosen);
        SetByte(kPollingOffset, chosen);
    }
    m_view.pollingHz = hz;
}

void CCfgDialogModel::ChooseLevel(int position) {
    position = std::clamp(position, 1, kLevels);
    const int address = Base() + kLevelOffset;
    int read = 0;
    if (m_device.ReadByte(static_cast<unsigned>(address), &read)) {
        Adopt(kLevelOffset, read);
    }
    // The mouse always has four levels: the count nibble is written as 4 whatever the byte held.
    const int chosen = map::kLevelCountNibble | (position - 1);
    Effect(kLevelOffset, chosen);
    SetByte(kLevelOffset, chosen);
    m_level = position - 1;
    m_view.levelPosition = position;
    ShowLevel();
}

void CCfgDialogModel::MoveDpiSlider(int position) {
    position = std::clamp(position, 1, m_scale.highestUnits);
    const int units = m_scale.highestUnits + 1 - position;
    const int value = m_scale.UnitsToDevice(units);
    if (value != Byte(XOffset(m_level) + 1)) {
        SetByte(XOffset(m_level), value);
        SetByte(XOffset(m_level) + 1, value);
    }
    ShowDpi(units);
}

std::u16string CCfgDialogModel::EditDpi(std::u16string_view text) {
    const long highest = m_scale.HighestDpi();
    const std::u16string kept = editfilter::Number(text, highest);
    const int units = m_scale.DpiToUnits(static_cast<int>(editfilter::LeadingValue(kept, highest)));
    const int value = m_scale.UnitsToDevice(units);
    SetByte(XOffset(m_level), value);
    SetByte(XOffset(m_level) + 1, value);
    m_view.dpiSliderPosition = m_scale.highestUnits + 1 - units;
    m_view.dpiText = kept;
    return kept;
}

bool CCfgDialogModel::ChangeDesktop(const SPointerValues& values) {
    return m_pointer.Apply(values);
}

void CCfgDialogModel::MoveDoubleClick(int position) {
    SPointerValues values = m_rememberedDesktop;
    m_pointer.Read(values);
    values.doubleClickMs = std::max(100, position * 100);
    ChangeDesktop(values);
    m_view.doubleClickPosition = position;
}

void CCfgDialogModel::MoveCursor(int position) {
    SPointerValues values = m_rememberedDesktop;
    m_pointer.Read(values);
    values.speed = position <= 0 ? 1 : std::min(20, 2 * position);
    ChangeDesktop(values);
    m_view.cursorPosition = position;
}

void CCfgDialogModel::MoveScroll(int position) {
    SPointerValues values = m_rememberedDesktop;
    m_pointer.Read(values);
    values.wheelLines = std::clamp(position, kSliderMin, kSliderMax);
    ChangeDesktop(values);
    m_view.scrollPosition = position;
}

void CCfgDialogModel::MoveLiftOff(int position) {
    if (position < 0 || position > kLiftOffMax) {
        position = map::kLiftOffAbsentValue;
    }
    const int byte = (Byte(kLiftOffOffset) & map::kLiftOffKept) | map::kLiftOffPresent | position;
    SetByte(kLiftOffOffset, byte);
    for (int round = 0; round < kLiftOffRounds; ++round) {
        if (round > 0) {
            Pause();
        }
        LiftOffEffect(map::kLiftOffPresent | position);
    }
    m_view.liftOffPosition = position;
}

// ---- Apply, OK, Cancel, RESET TO DEFAULT ----

void CCfgDialogModel::Commit(bool store) {
    bool sent = false;
    for (const int offset : kOffsets) {
        const int address = Base() + offset;
        if (m_device.InMemory(address) && m_device.Cell(address).changed) {
            Effect(offset, Byte(offset));
            Pause();
            sent = true;
        }
    }
    if (store) {
        // A byte whose write fails stays marked changed: the window's next save writes it with the block.
        for (const int offset : kOffsets) {
            const int address = Base() + offset;
            if (m_device.InMemory(address) && m_device.Cell(address).changed) {
                m_device.WriteByte(static_cast<unsigned>(address), Byte(offset));
                Pause();
            }
        }
    }
    if (sent) {
        for (int round = 0; round < kLiftOffRounds; ++round) {
            m_device.SendEffect(0x01, Byte(kLevelOffset) & 0x0F, 0);
            Pause();
            LiftOffEffect(Byte(kLiftOffOffset) & 0x3F);
            Pause();
        }
    }
}

void CCfgDialogModel::Apply() {
    Commit(false);
    // The box shows a value of the scale.
    const long highest = m_scale.HighestDpi();
    const int units = m_scale.DpiToUnits(static_cast<int>(editfilter::LeadingValue(m_view.dpiText, highest)));
    const std::u16string onScale = Decimal(m_scale.UnitsToDpi(units));
    if (onScale != m_view.dpiText) {
        m_view.dpiText = onScale;
    }
    PostOsd();
}

void CCfgDialogModel::Ok() {
    Commit(true);
    PostOsd();
}

void CCfgDialogModel::Cancel(bool deviceGone) {
    bool restored = false;
    for (size_t i = 0; i < kOffsets.size(); ++i) {
        const int offset = kOffsets[i];
        if (Byte(offset) == m_remembered[i]) {
            continue;
        }
        if (!deviceGone) {
            Effect(offset, m_remembered[i]);
            Pause();
        }
        SetByte(offset, m_remembered[i]);
        restored = true;
    }
    if (restored && !deviceGone) {
        m_device.SendEffect(0x01, m_remembered[kLevelOffset] & 0x0F, 0);
        Pause();
        for (int round = 0; round < kCancelLiftOffRounds; ++round) {
            LiftOffEffect(m_remembered[kLiftOffOffset] & 0x3F);
            Pause();
        }
    }
    if (m_desktopKnown) {
        SPointerValues now;
        if (!m_pointer.Read(now) || !(now == m_rememberedDesktop)) {
            ChangeDesktop(m_rememberedDesktop);
        }
    }
}

void CCfgDialogModel::ResetToDefault() {
    const CFactoryDefaults defaults(m_host.DeviceVariant());
    const CFactoryDefaults::Table& table = defaults.Profile(m_profile);
    bool changed = false;
    for (const int offset : kOffsets) {
        const int value = table[static_cast<size_t>(offset)].value & 0xFF;
        if (Byte(offset) != value) {
            Effect(offset, value);
            Pause();
            SetByte(offset, value);
            changed = true;
        }
    }
    const int defaultLevel = table[kLevelOffset].value;
    if (changed) {
        m_device.SendEffect(0x01, defaultLevel & 0x0F, 0);
    }

    SPointerValues desktop;
    const bool read = m_pointer.Read(desktop);
    const SPointerValues standard{kDefaultSpeed, kDefaultDoubleClickMs, kDefaultWheelLines};
    if (!read || !(desktop == standard)) {
        ChangeDesktop(standard);
    }

    // The controls show what was restored. Families other than 0x24 keep the rate in bits 2..3.
    const int polling = table[kPollingOffset].value;
    if ((m_device.Family() >> 8) == 0x24) {
        m_view.pollingHz = map::ReportRateOfNibble(polling & 0x0F);
    } else {
        m_view.pollingHz = kReportRatesHz[static_cast<size_t>((polling >> 2) & 3)];
    }
    const int level = Byte(kLevelOffset) & 0x0F;
    m_view.levelPosition = std::min(kLevels, level + 1);
    m_level = std::min(level, kLevels - 1);
    ShowLevel();
    m_view.doubleClickPosition = kDefaultDoubleClickMs / 100;
    m_view.cursorPosition = kDefaultSpeed / 2;
    m_view.scrollPosition = kDefaultWheelLines;
    m_view.liftOffPosition = std::min(kLiftOffMax, CSettingsMap(m_device).LiftOff(m_profile));
    PostOsd();
}

void CCfgDialogModel::PostOsd() {
    const int32_t handle = m_store.ReadDword(store::kOsdHandle);
    if (!store::IsWindowHandle(handle)) {
        return;
    }
    const uint32_t level = static_cast<uint32_t>(Byte(kLevelOffset) & 0x0F);
    const uint32_t x =
        static_cast<uint32_t>(Byte(XOffset(std::min<int>(static_cast<int>(level), kLevels - 1))));
    const uint32_t value = level | static_cast<uint32_t>(m_profile) << 4 | x << 8 | x << 16;
    m_poster.Post(static_cast<WindowHandle>(handle), msg::kOsdNotice, osd::kProfileOrResolution, value);
}

// ---- The monitor's notices ----

bool CCfgDialogModel::OnNotice(uint32_t kind, uint32_t value) {
    if (kind == devnotice::kProfileOrResolution) {
        const int v = static_cast<int>(value & 0xFF);
        if ((v & 0x0F) > kLevels - 1) {
            return true;
        }
        if (v & 0x80) {
            // The mouse switched profile: the dialog goes with it and takes that profile's values as its
            // opening values, so a Cancel restores the new profile and never writes the old one's bytes
            // into it.
            const int profile = (v >> 4) & 7;
            const int count = CSettingsMap(m_device).ProfileCount();
            if (profile == m_profile || !map::ValidProfile(profile) || profile >= count) {
                return true;
            }
            m_profile = profile;
            m_host.ApplyProfilePointer(profile);
            Load();
            Remember();
            return true;
        }
        // The mouse switched level.
        if (((v >> 4) & 0x0F) != m_profile) {
            return true;
        }
        const int level = v & 0x0F;
        Adopt(kLevelOffset, (Byte(kLevelOffset) & 0xF0) | level);
        // Remembered as the dialog remembers a level byte at opening: four levels, whatever the count
        // nibble held.
        m_remembered[2] = map::kLevelCountNibble | level;
        m_level = level;
        m_view.levelPosition = level + 1;
        ShowLevel();
        return true;
    }
    if (kind == devnotice::kReportInterval) {
        // The monitor sends the report interval in milliseconds, which is the nibble the mouse holds.
        const int interval = static_cast<int>(value);
        if (!map::ValidPollingNibble(interval)) {
            return true;
        }
        const int byte = (Byte(kPollingOffset) & 0xF0) | interval;
        Adopt(kPollingOffset, byte);
        // The mouse changed its rate itself: Cancel keeps it.
        m_remembered[0] = byte;
        m_view.pollingHz = map::ReportRateOfNibble(interval);
        return true;
    }
    return false;
}

}  // namespace vorlix

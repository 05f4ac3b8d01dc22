#include "OsdState.h"

#include "shared/Messages.h"

namespace vorlix {

COsdState::COsdState(IClock& clock, IOsdView& view) : m_clock(clock), m_view(view) {}

int COsdState::HandleNotice(uint32_t kind, uint32_t value) {
    switch (kind) {
        case osd::kProfileOrResolution:
            if ((value & 0x80u) != 0) {
                // Only P1..P5 exist; a profile beyond them would pick the digit pictures.
                const int profile = static_cast<int>((value >> 4) & 7u);
                if (profile < kProfiles) {
                    m_profile = profile;
                    m_mode = EMode::Profile;
                    RefreshAndShow();
                }
            } else {
                // Only LEVEL 1..4 exist; a fifth level would pick the back arrow.
                const int level = static_cast<int>(value & 0x0Fu);
                if (level < kLevels) {
                    m_level = level;
                    m_xCodes[static_cast<size_t>(level)] = static_cast<int>((value >> 8) & 0xFFu);
                    m_yCodes[static_cast<size_t>(level)] = static_cast<int>((value >> 16) & 0xFFu);
                    m_mode = EMode::Resolution;
                    RefreshAndShow();
                }
            }
            return 1;
        case osd::kSideButton:
            if (value == 3 || value == 4) {
                m_sideButton = static_cast<int>(value);
                m_mode = EMode::SideButton;
                RefreshAndShow();
            }
            return 1;
        case osd::kCurrentProfile:
            if (value < kProfiles) {
                m_profile = static_cast<int>(value);
            }
            return 1;
        case osd::kVersion:
            return 1;
        case osd::kLock:
            m_locked = value != 0;
            m_mode = EMode::Lock;
            RefreshAndShow();
            return 1;
        case osd::kReportInterval: {
            int index = -1;
            switch (value) {
                case 1:
                    index = 3;
                    break;
                case 2:
                    index = 2;
                    break;
                case 4:
                    index = 1;
                    break;
                case 8:
                    index = 0;
                    break;
                default:
                    break;
            }
            if (index >= 0) {
                m_rateIndex = index;
                m_mode = EMode::ReportRate;
                RefreshAndShow();
            }
            return 1;
        }
        case osd::kLedMode:
            m_battle = value != 0;
            m_mode = EMode::LedMode;
            RefreshAndShow();
            return 1;
        case osd::kEnabled:
            m_enabled = value != 0;
            return 1;
        case osd::kFirmwareVariant:
            m_variant = value != 0;
            return 1;
        default:
            return 0;
    }
}

std::optional<SOsdPicture> COsdState::Choose() const {
    SOsdPicture picture;
    switch (m_mode) {
        case EMode::Profile:
            picture.id = osdpic::kProfileFirst + m_profile;
            break;
        case EMode::SideButton:
            picture.id = m_sideButton == 3 ? osdpic::kBack : osdpic::kForward;
            break;
        case EMode::Resolution:
            picture.id = osdpic::kLevelFirst + m_level;
            picture.hasDigits = true;
            picture.digits = ResolutionDigits(m_yCodes[static_cast<size_t>(m_level)]);
            break;
        case EMode::LedMode:
            picture.id = m_battle ? osdpic::kBattle : osdpic::kNormal;
            break;
        case EMode::ReportRate:
            picture.id = osdpic::kRateFirst + m_rateIndex;
            break;
        case EMode::Lock:
            picture.id = m_locked ? osdpic::kLock : osdpic::kUnlock;
            break;
        case EMode::None:
            return std::nullopt;
    }
    return picture;
}

void COsdState::RefreshAndShow() {
    const std::optional<SOsdPicture> picture = Choose();
    if (picture && m_view.Prepare(*picture)) {
        Show(true);
    }
}

void COsdState::Show(bool request) {
    m_hideAt.reset();
    m_blinkAt.reset();
    if (!request || !m_enabled) {
        m_visible = false;
        m_view.SetVisible(false);
        return;
    }
    if (m_visible) {
        // A notice while another is up: off now, on again in 10 ms, so the change is seen.
        m_visible = false;
        m_view.SetVisible(false);
        m_blinkAt = m_clock.NowMs() + kBlinkMs;
        return;
    }
    m_visible = true;
    m_view.SetVisible(true);
    m_hideAt = m_clock.NowMs() + kShowMs;
}

void COsdState::OnTimer() {
    const uint64_t now = m_clock.NowMs();
    if (m_blinkAt && *m_blinkAt <= now) {
        Show(true);
    } else if (m_hideAt && *m_hideAt <= now) {
        Show(false);
    }
}

std::optional<uint64_t> COsdState::NextDeadlineMs() const {
    return m_blinkAt ? m_blinkAt : m_hideAt;
}

}  // namespace vorlix

#include "ui/dialogs/core/SkinPages.h"

#include <algorithm>
#include <array>

#include "shared/Utf16.h"

namespace vorlix {

namespace {

constexpr int kOkPicture = 338;
constexpr int kCancelPicture = 337;
constexpr int kYesPicture = 247;
constexpr int kStartPicture = 387;
constexpr int kClosePicture = 386;

// clang-format off
constexpr std::array<SSkinPage, 12> kPages = {{
    //  id   kind                     OK             Cancel          text   list   radios edit
    {125, ModalKind::Question,       kOkPicture,    kCancelPicture, false, false, false, true},
    {156, ModalKind::FirmwareUpdate, kStartPicture, kClosePicture,  false, false, false, false},
    {248, ModalKind::Question,       kOkPicture,    kCancelPicture, false, false, false, false},
    {251, ModalKind::Information,    kOkPicture,    0,              true,  false, false, false},
    {287, ModalKind::Question,       kOkPicture,    kCancelPicture, true,  false, false, false},
    {352, ModalKind::Question,       kOkPicture,    kCancelPicture, false, false, false, false},
    {353, ModalKind::Information,    kOkPicture,    0,              true,  false, false, false},
    {447, ModalKind::Information,    kYesPicture,   0,              false, false, false, false},
    {448, ModalKind::Information,    kYesPicture,   0,              false, false, false, false},
    {469, ModalKind::Choice,         kOkPicture,    kCancelPicture, false, true,  false, false},
    {470, ModalKind::Choice,         kOkPicture,    kCancelPicture, false, true,  true,  false},
    {474, ModalKind::Question,       kOkPicture,    kCancelPicture, false, false, false, true},
}};
// clang-format on

constexpr std::array<int, kRadioCount> kRadioNormal = {271, 272, 273, 473};
constexpr std::array<int, kRadioCount> kRadioChosen = {268, 269, 270, 472};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::span<const SSkinPage> SkinPages() {
    return kPages;
}

const SSkinPage* FindSkinPage(int id) {
    const auto found =
        std::find_if(kPages.begin(), kPages.end(), [id](const SSkinPage& p) { return p.id == id; });
    return found != kPages.end() ? &*found : nullptr;
}

int RadioBitmap(int option, bool chosen) {
    if (option < 0 || option >= kRadioCount) {
        return 0;
    }
    return chosen ? kRadioChosen[static_cast<std::size_t>(option)]
                  : kRadioNormal[static_cast<std::size_t>(option)];
}

SMacroPath SplitMacroPath(std::string_view path) {
    SMacroPath result;
    constexpr std::string_view kExtension = ".mac";
    bool isFile = path.size() > kExtension.size();
    for (std::size_t i = 0; isFile && i < kExtension.size(); ++i) {
        isFile = Lower(path[path.size() - kExtension.size() + i]) == kExtension[i];
    }
    const std::size_t slash = path.rfind('/');
    // ".mac" alone after the last slash names no macro.
    if (isFile && slash != std::string_view::npos && path.size() - slash - 1 <= kExtension.size()) {
        isFile = false;
    }
    if (!isFile) {
        result.folder = std::string(path);
        return result;
    }
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    result.folder = slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
    const std::string_view stem = file.substr(0, file.size() - kExtension.size());
    // File names are UTF-8 on Linux.
    result.name = Utf8ToUtf16(stem);
    return result;
}

int FindExact(const std::vector<std::u16string>& entries, std::u16string_view name) {
    const auto found = std::find(entries.begin(), entries.end(), name);
    return found != entries.end() ? static_cast<int>(found - entries.begin()) : -1;
}

SLauncherStart LauncherStart(std::string_view storedPath, std::string_view fallbackFolder) {
    const std::size_t slash = storedPath.rfind('/');
    if (storedPath.empty() || slash == std::string_view::npos) {
        return {std::string(fallbackFolder), std::string(storedPath)};
    }
    const std::string_view folder = slash == 0 ? std::string_view("/") : storedPath.substr(0, slash);
    return {std::string(folder), std::string(storedPath.substr(slash + 1))};
}

EMessageRoute MessageRoute(int number, bool dialogInitialised, bool dialogOpen, std::size_t textLength) {
    if (number < 0 || number >= kMessageCount) {
        return EMessageRoute::None;
    }
    if (dialogInitialised && !dialogOpen && textLength <= kSkinnedMessageLength) {
        return EMessageRoute::SkinnedPage;
    }
    return EMessageRoute::SystemBox;
}

}  // namespace vorlix

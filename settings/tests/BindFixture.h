#pragma once

#include <string>
#include <vector>

#include "macro/MacroLibrary.h"
#include "macro/MemoryMacroFileSystem.h"
#include "macro/tests/FakeMacroTexts.h"
#include "settings/SettingsMap.h"
#include "shared/Utf16.h"
#include "tests/support/SessionFixture.h"

namespace vorlix::testing {

// A loaded session on a virtual mouse beside a macro library in memory.
class BindFixture : public SessionFixture {
protected:
    static constexpr const char* kFolder = "/home/u/Documents/VORLIX DAZE";

    void StartLoaded() {
        library.CreateFolder();
        Start();
        ASSERT_EQ(session->Connect(), 1);
        ASSERT_TRUE(session->Ready());
    }
    // A macro file as the editor saves it (script header run mode 5, byte 2 = 1), holding code.
    static std::vector<uint8_t> MacroFile(const std::vector<uint8_t>& code) {
        const int body = 48 + static_cast<int>(code.size());
        std::vector<uint8_t> file = {
            0x46, 0x22, 0xA1, static_cast<uint8_t>(body & 0xFF), static_cast<uint8_t>(body >> 8), 1, 1, 0, 0};
        file.resize(9 + 48, 0);
        file[9] = 5;
        file[11] = 1;
        file[12] = static_cast<uint8_t>(code.size() & 0xFF);
        file[13] = static_cast<uint8_t>(code.size() >> 8);
        file.insert(file.end(), code.begin(), code.end());
        return file;
    }
    void PutMacro(CMemoryMacroFileSystem& into, const std::string& fileName,
                  const std::vector<uint8_t>& code) {
        into.files[std::string(kFolder) + "/" + fileName] = MacroFile(code);
    }
    std::string StoreText(const std::string& name) {
        std::u16string text;
        return store.ReadText(name, text) ? Utf16ToUtf8(text) : std::string("(none)");
    }
    int SlotKind(int mouse, int profile, int button) const {
        return Peek(mouse, static_cast<unsigned>(map::SlotAddress(profile, button)));
    }
    std::vector<std::string> Reports() const {
        std::vector<std::string> out;
        for (const std::u16string& report : reporter.reports) {
            out.push_back(Utf16ToUtf8(report));
        }
        return out;
    }

    CMemoryMacroFileSystem files;
    RecordingReporter reporter;
    CMacroLibrary library{files, reporter, kFolder};
};

}  // namespace vorlix::testing

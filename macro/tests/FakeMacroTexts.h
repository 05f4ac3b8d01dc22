#pragma once

#include <string>
#include <vector>

#include "macro/MacroReporter.h"
#include "macro/MacroTextSource.h"

namespace vorlix::testing {

// The command names and unit names the tests need; "#n" for commands the tests never show.
class FakeMacroTexts : public IMacroTextSource {
public:
    std::u16string_view CommandName(int index) const override {
        static const char16_t* const kNames[] = {u"Page UP", u"Page DN", u"Copy", u"Paste", u"Close Window"};
        return index >= 0 && index < 5 ? kNames[index] : std::u16string_view(u"#n");
    }
    std::u16string_view DelayUnitName(int index) const override { return index == 0 ? u"sec" : u"ms"; }
};

// Keeps every report as "#index:appended".
class RecordingReporter : public IMacroReporter {
public:
    void ShowMessage(int index, std::u16string_view appended) override {
        reports.push_back(u"#" + std::u16string(1, static_cast<char16_t>(u'0' + index / 10)) +
                          std::u16string(1, static_cast<char16_t>(u'0' + index % 10)) + u":" +
                          std::u16string(appended));
    }
    std::vector<std::u16string> reports;
};

}  // namespace vorlix::testing

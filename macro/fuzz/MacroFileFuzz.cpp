// Any file reads, loads, imports and binds without harm; a loaded macro writes back to a file that
// loads to the same program.
#include <cstddef>
#include <cstdint>

#include "macro/MacroLibrary.h"
#include "macro/MacroProgram.h"
#include "macro/MacroReporter.h"
#include "macro/MacroTextSource.h"
#include "macro/MemoryMacroFileSystem.h"
#include "macro/fuzz/ProgramCheck.h"

namespace {

class Quiet : public vorlix::IMacroReporter {
public:
    void ShowMessage(int, std::u16string_view) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorlix;
    static fuzz::FuzzTexts texts;
    static Quiet quiet;
    static CMacroProgram program(texts);
    static CMacroProgram reloaded(texts);
    CMemoryMacroFileSystem files;
    CMacroLibrary library(files, quiet, "/lib");
    library.CreateFolder();
    files.files["/lib/m.Mac"].assign(data, data + size);

    MacroBody body;
    MacroTiming timing;
    const int length = library.ReadMacroFile("/lib/m.Mac", u"m", body, timing);
    fuzz::Require(length >= -1 && length <= macrofile::kMaxBodySize);
    fuzz::Require(library.ReadForBinding(u"M", body) == length);
    if (library.LoadMacro(u"m", program, timing) == 1) {
        fuzz::CheckConsistent(program);
        fuzz::Require(library.WriteMacro(u"copy", program, timing) == 1);
        MacroTiming again;
        fuzz::Require(library.LoadMacro(u"copy", reloaded, again) == 1);
        fuzz::Require(fuzz::SameProgram(program, reloaded));
        fuzz::Require(again.withoutDelay == timing.withoutDelay && again.defaultDelay == timing.defaultDelay);
    }
    files.files["/in/x.mac"].assign(data, data + size);
    files.folders.insert("/in");
    std::u16string name;
    // Import takes exactly what reading accepts, of a size a macro file can have.
    const bool accepted = length >= 0 && size <= static_cast<size_t>(macrofile::kMaxFileSize);
    fuzz::Require((library.ImportMacro("/in/x.mac", name) == 1) == accepted);
    return 0;
}

// Any byte code parses; its serialization parses to the same program; edits keep the program's
// bytes, sizes and jump table in agreement.
#include <cstddef>
#include <cstdint>

#include "macro/MacroProgram.h"
#include "macro/MacroTextSource.h"
#include "macro/fuzz/ProgramCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorlix;
    static fuzz::FuzzTexts texts;
    static CMacroProgram first(texts);
    static CMacroProgram second(texts);
    const int length = static_cast<int>(size > 4096 ? 4096 : size);
    first.Parse(data, length);
    fuzz::CheckConsistent(first);
    uint8_t code[kMaxCodeBytes];
    const int n = first.Serialize(code, kMaxCodeBytes);
    second.Parse(code, n);
    fuzz::Require(fuzz::SameProgram(first, second));

    // The input's bytes, read again, as a list of edits.
    for (int at = 0; at + 1 < length && first.Count() > 0; at += 2) {
        const int line = data[at + 1] % first.Count();
        first.SelectOnly(line);
        switch (data[at] % 8) {
            case 0:
                first.InsertPlain(data[at + 1] & 0x7F);
                break;
            case 1:
                first.InsertExtended(0x80 + data[at + 1] % 20);
                break;
            case 2:
                first.InsertPlain(0x01, data[at + 1]);
                break;
            case 3:
                first.SetDelayOfSelected(data[at + 1] * 20);
                break;
            case 4:
                first.MoveSelectedUp();
                break;
            case 5:
                first.MoveSelectedDown();
                break;
            case 6:
                first.DeleteSelected((data[at + 1] & 1) != 0);
                break;
            default:
                first.AppendExtended(0x02, data[at + 1]);
                break;
        }
        fuzz::CheckConsistent(first);
    }
    return 0;
}

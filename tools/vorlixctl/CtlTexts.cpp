#include "CtlTexts.h"

#include <ostream>

#include "lang/TextTables.h"
#include "platform/lang/UserLanguage.h"
#include "shared/Utf16.h"

namespace vorlix::ctl {

const CTextTables& UserTextTables() {
    static const CTextTables tables = [] {
        CTextTables loaded;
        CUserLanguage::LoadConfigTables(loaded);
        return loaded;
    }();
    return tables;
}

CMacroTableTexts CtlTexts(std::ostream& err) {
    return CMacroTableTexts(UserTextTables(), [&err](std::u16string_view text) {
        err << "vorlixctl: " << Utf16ToUtf8(text) << "\n";
    });
}

}  // namespace vorlix::ctl

#include "CtlTexts.h"

#include <ostream>

#include "platform/UserStore.h"
#include "platform/locale/LocaleLanguage.h"
#include "shared/Utf16.h"
#include "ui/lang/LanguageSetup.h"
#include "ui/lang/TextTables.h"
#include "ui/lang/platform/PosixLangFileSystem.h"

namespace vorlix::ctl {

const CTextTables& UserTextTables() {
    static const CTextTables tables = [] {
        CTextTables loaded;
        CPosixLangFileSystem files;
        CUserStore store;
        CLanguageSetup::LoadConfig(files, store.Store(), CLocaleLanguage::FromEnvironment(),
                                   CPosixLangFileSystem::ExecutableDir(), loaded);
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

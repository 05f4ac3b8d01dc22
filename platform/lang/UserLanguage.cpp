#include "UserLanguage.h"

#include "PosixLangFileSystem.h"
#include "platform/UserStore.h"
#include "platform/locale/LocaleLanguage.h"

namespace vorlix {

SConfigLanguage CUserLanguage::LoadConfigTables(CTextTables& tables) {
    CPosixLangFileSystem files;
    CUserStore store;
    return CLanguageSetup::LoadConfig(files, store.Store(), CLocaleLanguage::FromEnvironment(),
                                      CPosixLangFileSystem::ExecutableDir(), tables);
}

}  // namespace vorlix

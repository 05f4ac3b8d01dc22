#pragma once

#include "lang/LanguageSetup.h"
#include "lang/TextTables.h"

namespace vorlix {

// The configuration program's texts for this user: the language file the session's locale asks for,
// searched in the installation folder from the store and beside the executable.
class CUserLanguage {
public:
    static SConfigLanguage LoadConfigTables(CTextTables& tables);
};

}  // namespace vorlix

#pragma once

#include <iosfwd>

#include "macro/MacroTableTexts.h"

namespace vorlix {
class CTextTables;
}

namespace vorlix::ctl {

// The language tables in the user's language, loaded once as the configuration program loads them:
// the language file of the locale's language beside the program, or the English defaults.
const CTextTables& UserTextTables();

// The macro engine's texts and reports from those tables; reports go to err as "vorlixctl: TEXT".
CMacroTableTexts CtlTexts(std::ostream& err);

}  // namespace vorlix::ctl

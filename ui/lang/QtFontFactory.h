#pragma once

#include <QFont>
#include <QString>

#include "lang/FontSet.h"

namespace vorlix {

// Turns the window's font descriptions into QFonts.
class CQtFontFactory {
public:
    static QFont Create(const SFontDescription& description);
    // The height of the system's general font as a negative pixel height at 96 dots per inch, the measure
    // the size rule of font 0 is written for.
    static int SystemIconTitleHeight();
    static int IconTitleHeightOf(const QFont& systemFont);
    // Reads the <alias> entries of a fontconfig alias file and registers each preferred family as a
    // substitute, so faces named in language files ("Arial Rounded MT Bold") resolve to installed free
    // faces even where the file is not installed into fontconfig. 1 when the file was read.
    static int InstallAliases(const QString& aliasFile);
};

}  // namespace vorlix

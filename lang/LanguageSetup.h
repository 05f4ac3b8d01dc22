#pragma once

#include <cstdint>
#include <string>

#include "LangFileSystem.h"
#include "LanguageChoice.h"
#include "TextTables.h"
#include "shared/RegStore.h"

namespace vorlix {

// What the configuration program decided at start: the language, the file it uses and its help document.
struct SConfigLanguage {
    uint16_t languageId = CLanguageChoice::kEnglishUs;
    SLanguageChoice choice;
    bool fileInUse = false;    // a language file was loaded; the tables are not the built-in English
    std::string helpDocument;  // "Information_de.html", or the English one when that is missing
    std::string storePath;     // the installation folder from "Path", empty when unset
};

// Chooses the language of each program and fills its tables from the language file.
class CLanguageSetup {
public:
    // The configuration program: chooses file and help suffix from the system's language, looks for the
    // help document, then loads the language file. exeDir is the folder of the running program.
    static SConfigLanguage LoadConfig(ILangFileSystem& files, CRegStore& store, uint16_t systemLanguage,
                                      const std::string& exeDir, CTextTables& tables);
    // The monitor's tray texts, in the language of the store value "Language" or else the system's.
    // 1 when a language file supplied them, 0 when the built-in texts are used.
    static int LoadTray(ILangFileSystem& files, CRegStore& store, uint16_t systemLanguage,
                        const std::string& exeDir, CTextTables& tables);

    // The store value "Path" as UTF-8, empty when missing.
    static std::string ReadStorePath(CRegStore& store);
};

}  // namespace vorlix

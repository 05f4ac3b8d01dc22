#include "LanguageSetup.h"

#include "HelpDocument.h"
#include "LangFileLoader.h"
#include "LangFileSearch.h"
#include "shared/StoreNames.h"
#include "shared/Utf16.h"

namespace vorlix {

std::string CLanguageSetup::ReadStorePath(CRegStore& store) {
    std::u16string path;
    return store.ReadText(store::kPath, path) ? Utf16ToUtf8(path) : std::string();
}

SConfigLanguage CLanguageSetup::LoadConfig(ILangFileSystem& files, CRegStore& store, uint16_t systemLanguage,
                                           const std::string& exeDir, CTextTables& tables) {
    SConfigLanguage result;
    result.languageId = systemLanguage;
    result.choice = CLanguageChoice::Choose(systemLanguage, ELangProgram::Config);
    result.storePath = ReadStorePath(store);
    result.helpDocument = CHelpDocument::Choose(files, result.choice.helpSuffix, result.storePath, exeDir);

    const std::string path = CLangFileSearch::FindReadable(
        files, CLangFileSearch::ConfigCandidates(result.choice.fileName, CLangFileSearch::kLanguagesFolder,
                                                 result.storePath, exeDir));
    auto file = path.empty() ? nullptr : files.Open(path);
    result.fileInUse = file && CLangFileLoader::LoadConfigTables(*file, result.choice.fileName, tables);
    if (!result.fileInUse) {
        tables.ResetConfigTables();
    }
    return result;
}

int CLanguageSetup::LoadTray(ILangFileSystem& files, CRegStore& store, uint16_t systemLanguage,
                             const std::string& exeDir, CTextTables& tables) {
    const uint16_t language =
        CLanguageChoice::MonitorLanguage(store.ReadDword(store::kLanguage), systemLanguage);
    const SLanguageChoice choice = CLanguageChoice::Choose(language, ELangProgram::Monitor);
    tables.ResetTrayTexts();
    if (choice.fileName.empty()) {
        return 0;
    }
    const std::string path =
        CLangFileSearch::FindReadable(files, CLangFileSearch::MonitorCandidates(choice.fileName, exeDir));
    auto file = path.empty() ? nullptr : files.Open(path);
    return file ? CLangFileLoader::LoadTrayTexts(*file, choice.fileName, tables) : 0;
}

}  // namespace vorlix

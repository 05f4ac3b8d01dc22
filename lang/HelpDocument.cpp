#include "HelpDocument.h"

#include "LangFileSearch.h"
#include "LanguageChoice.h"
#include "shared/Utf16.h"

namespace vorlix {

std::string CHelpDocument::Locate(ILangFileSystem& files, const std::string& document,
                                  const std::string& storePath, const std::string& exeDir) {
    return CLangFileSearch::FindReadable(
        files, CLangFileSearch::ConfigCandidates(document, CLangFileSearch::kHelpFolder, storePath, exeDir));
}

std::string CHelpDocument::Choose(ILangFileSystem& files, const std::string& suffix,
                                  const std::string& storePath, const std::string& exeDir) {
    const std::string document = "Information_" + suffix + ".html";
    return Locate(files, document, storePath, exeDir).empty() ? CLanguageChoice::kFallbackHelpDocument
                                                              : document;
}

int CHelpDocument::Open(ILangFileSystem& files, const std::string& document, const std::string& storePath,
                        const std::string& exeDir, IDocumentOpener& opener, const CTextTables& tables,
                        IMessageReporter& reporter) {
    const std::string path = Locate(files, document, storePath, exeDir);
    if (!path.empty() && opener.Open(path)) {
        return 1;
    }
    const std::u16string text =
        std::u16string(tables.Text(ETextTable::Message, message::kCantFindDocument)) + Utf8ToUtf16(document);
    reporter.ShowMessage(Utf16ToUtf8(tables.Text(ETextTable::Caption, 0)), Utf16ToUtf8(text),
                         IMessageReporter::Icon::Stop);
    return 0;
}

}  // namespace vorlix

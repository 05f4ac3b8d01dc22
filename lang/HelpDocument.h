#pragma once

#include <string>

#include "LangFileSystem.h"
#include "TextTables.h"
#include "ui/startup/MessageReporter.h"

namespace vorlix {

// Opens a document with the desktop's default handler. 1 when the handler accepted it.
class IDocumentOpener {
public:
    virtual ~IDocumentOpener() = default;
    virtual int Open(const std::string& path) = 0;
};

// The help document of the chosen language and the help command that opens it.
class CHelpDocument {
public:
    // "Information_" + suffix + ".html" when the help search finds it, else "Information_en.html".
    static std::string Choose(ILangFileSystem& files, const std::string& suffix, const std::string& storePath,
                              const std::string& exeDir);
    // The help search for document; its path, or empty when it is nowhere.
    static std::string Locate(ILangFileSystem& files, const std::string& document,
                              const std::string& storePath, const std::string& exeDir);
    // Locates document and hands it to the opener. When it is missing or the opener fails, reports
    // message 15 with the document's name appended, under the message caption, and gives 0.
    static int Open(ILangFileSystem& files, const std::string& document, const std::string& storePath,
                    const std::string& exeDir, IDocumentOpener& opener, const CTextTables& tables,
                    IMessageReporter& reporter);
};

}  // namespace vorlix

#pragma once

#include "lang/HelpDocument.h"

namespace vorlix {

// Opens documents with the desktop's default handler for their type.
class CQtDocumentOpener : public IDocumentOpener {
public:
    int Open(const std::string& path) override;
};

}  // namespace vorlix

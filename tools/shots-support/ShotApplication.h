#pragma once

#include <QApplication>
#include <QFont>
#include <QString>
#include <array>

#include "lang/FontSet.h"
#include "lang/TextTables.h"

namespace vorlix {

// The application a screenshot tool runs in: the skin's set-up before Qt's application, the output
// folder named as the first argument, and the texts and fonts the configuration program uses.
class CShotApplication {
public:
    // tool names the program in the usage line.
    CShotApplication(int& argc, char** argv, const char* tool);

    // False, with the usage line on stderr, when no output folder was named.
    bool HasOutDir() const { return m_hasOutDir; }
    const QString& OutDir() const { return m_outDir; }
    const CTextTables& Texts() const { return m_texts; }
    // Font index of the configuration program's font set.
    QFont Font(int index) const;

private:
    static int& PreparedArgc(int& argc);

    QApplication m_app;
    bool m_hasOutDir = false;
    QString m_outDir;
    CTextTables m_texts;
    std::array<SFontDescription, CTextTables::kFontCount> m_fonts;
};

}  // namespace vorlix

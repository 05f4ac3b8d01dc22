#include "tools/shots-support/ShotApplication.h"

#include <QDir>
#include <cstdio>

#include "ui/lang/QtFontFactory.h"
#include "ui/skin/SkinApplication.h"

namespace vorlix {

int& CShotApplication::PreparedArgc(int& argc) {
    // The skin's set-up has to come before Qt's application is built.
    PrepareSkinApplication();
    return argc;
}

CShotApplication::CShotApplication(int& argc, char** argv, const char* tool)
    : m_app(PreparedArgc(argc), argv),
      m_hasOutDir(argc >= 2),
      m_outDir(m_hasOutDir ? QString::fromLocal8Bit(argv[1]) : QString()),
      m_fonts(CFontSet::Describe(m_texts, CQtFontFactory::SystemIconTitleHeight())) {
    if (!m_hasOutDir) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", tool);
    } else {
        QDir().mkpath(m_outDir);
    }
}

QFont CShotApplication::Font(int index) const {
    return CQtFontFactory::Create(m_fonts.at(static_cast<size_t>(index)));
}

}  // namespace vorlix

#include "QtFontFactory.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

namespace vorlix {

namespace {

// The alias file shipped beside the programs, read once before the first font is made.
void InstallShippedAliases() {
    static const bool installed = [] {
        CQtFontFactory::InstallAliases(QCoreApplication::applicationDirPath() +
                                       "/fonts/60-vorlix-daze-aliases.conf");
        return true;
    }();
    (void)installed;
}

}  // namespace

QFont CQtFontFactory::Create(const SFontDescription& description) {
    InstallShippedAliases();
    QFont font(QString::fromStdU16String(description.face));
    // Variable pitch in the sans-serif family: the hint picks a proportional sans face when the named
    // one is missing.
    font.setStyleHint(QFont::SansSerif);
    font.setFixedPitch(false);
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strikeOut);
    if (description.weight > 0) {
        font.setWeight(static_cast<QFont::Weight>(std::clamp(description.weight, 1, 1000)));
    }
    if (description.pointSize > 0) {
        font.setPointSizeF(description.pointSize);
        return font;
    }
    if (description.height < 0) {
        font.setPixelSize(-description.height);
    } else if (description.height > 0) {
        // A positive height is the whole cell (ascent plus descent); the em height is smaller by the
        // face's own ratio.
        font.setPixelSize(description.height);
        const qreal cell = QFontMetricsF(font).height();
        if (cell > 0) {
            font.setPixelSize(
                std::max(1, static_cast<int>(std::lround(description.height * description.height / cell))));
        }
    }
    if (description.width > 0) {
        const qreal average = QFontMetricsF(font).averageCharWidth();
        if (average > 0) {
            font.setStretch(
                std::clamp(static_cast<int>(std::lround(100.0 * description.width / average)), 1, 4000));
        }
    }
    return font;
}

int CQtFontFactory::IconTitleHeightOf(const QFont& systemFont) {
    if (systemFont.pixelSize() > 0) {
        return -systemFont.pixelSize();
    }
    return -static_cast<int>(std::lround(systemFont.pointSizeF() * 96.0 / 72.0));
}

int CQtFontFactory::SystemIconTitleHeight() {
    return IconTitleHeightOf(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
}

int CQtFontFactory::InstallAliases(const QString& aliasFile) {
    QFile file(aliasFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    QXmlStreamReader xml(&file);
    QString family;
    QStringList preferred;
    bool inPrefer = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"alias") {
                family.clear();
                preferred.clear();
            } else if (xml.name() == u"prefer") {
                inPrefer = true;
            } else if (xml.name() == u"family") {
                const QString name = xml.readElementText().trimmed();
                if (inPrefer) {
                    preferred.append(name);
                } else {
                    family = name;
                }
            }
        } else if (xml.isEndElement()) {
            if (xml.name() == u"prefer") {
                inPrefer = false;
            } else if (xml.name() == u"alias" && !family.isEmpty() && !preferred.isEmpty()) {
                QFont::insertSubstitutions(family, preferred);
            }
        }
    }
    return xml.hasError() ? 0 : 1;
}

}  // namespace vorlix

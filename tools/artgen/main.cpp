// Draws every picture of the id table and writes it as <id>.png into the folder given (by default
// resources/bitmaps). Designers may replace any picture by id afterwards; run with --only ID... to
// redraw some pictures only.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSet>
#include <cstdio>

#include "ArtGenerator.h"
#include "shared/ProgramInfo.h"
#include "ui/skin/core/SkinTable.h"

namespace {

// The smallest faithful form: alpha only for icons; an exact palette when the picture has at most 256
// colours (key colours stay exact); 24-bit colour otherwise.
QImage Compact(const QImage& image, vorlix::EKey key) {
    if (key == vorlix::EKey::Alpha) {
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QVector<QRgb> table;
    QHash<QRgb, int> index;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (!index.contains(row[x])) {
                if (table.size() == 256) {
                    return rgb;
                }
                index.insert(row[x], static_cast<int>(table.size()));
                table.append(row[x]);
            }
        }
    }
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            out[x] = static_cast<uchar>(index.value(row[x]));
        }
    }
    return indexed;
}

constexpr char kHelp[] =
    "usage: vorlix-artgen [FOLDER] [--only ID...]\n"
    "\n"
    "Draws every picture of the id table and writes it as ID.png into FOLDER (default resources/bitmaps).\n"
    "\n"
    "  --only ID...   draw only these pictures\n"
    "  --help         show this text and end\n"
    "  --version      show the version and end\n";

}  // namespace

int main(int argc, char** argv) {
    if (const auto status = vorlix::CProgramInfo::Answer(argc, argv, {"vorlix-artgen", kHelp})) {
        return *status;
    }
    QGuiApplication app(argc, argv);
    QString folder = QStringLiteral("resources/bitmaps");
    QSet<int> only;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--only")) {
            while (i + 1 < args.size() && !args[i + 1].startsWith(QLatin1String("--"))) {
                only.insert(args[++i].toInt());
            }
        } else {
            folder = args[i];
        }
    }
    QDir().mkpath(folder);
    vorlix::art::CArtGenerator generator;
    int failures = 0;
    int written = 0;
    for (const vorlix::SBitmapInfo& info : vorlix::BitmapTable()) {
        for (int id = info.first; id <= info.last; ++id) {
            if (!only.isEmpty() && !only.contains(id)) {
                continue;
            }
            const QImage image = generator.Draw(id);
            if (image.width() != info.width || image.height() != info.height) {
                std::fprintf(stderr, "picture %d: drawn %dx%d, the table says %dx%d\n", id, image.width(),
                             image.height(), info.width, info.height);
                ++failures;
                continue;
            }
            const QString path = QStringLiteral("%1/%2.png").arg(folder).arg(id);
            if (!Compact(image, info.key).save(path, "PNG", 0)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                ++failures;
                continue;
            }
            ++written;
        }
    }
    std::printf("%d pictures written to %s\n", written, qPrintable(folder));
    return failures == 0 ? 0 : 1;
}

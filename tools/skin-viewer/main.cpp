// vorlix-skin-viewer [ID] [--save FILE] [--sheet FILE] [--preview FILE]: shows the embedded pictures by
// id with their regions outlined. --save writes a picture of the viewer window, --sheet one sheet of
// every picture, --preview the window ID with its controls' pictures at their places.
#include <QApplication>
#include <cstdio>

#include "SkinViewer.h"
#include "shared/ProgramInfo.h"
#include "ui/skin/SkinApplication.h"

namespace {

constexpr char kHelp[] =
    "usage: vorlix-skin-viewer [ID] [--save FILE] [--sheet FILE] [--preview FILE]\n"
    "\n"
    "Shows the embedded pictures by id with their shapes outlined; the list on the left browses the ids.\n"
    "\n"
    "  ID               the picture to show first (default 124, the main face)\n"
    "  --save FILE      write a picture of the viewer window to FILE and end\n"
    "  --sheet FILE     write every picture on one sheet to FILE and end\n"
    "  --preview FILE   write window ID with its controls' pictures in place to FILE and end\n"
    "  --help           show this text and end\n"
    "  --version        show the version and end\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before the application object exists, so no display is opened.
    if (const auto status = vorlix::CProgramInfo::Answer(argc, argv, {"vorlix-skin-viewer", kHelp})) {
        return *status;
    }
    vorlix::PrepareSkinApplication();
    QApplication app(argc, argv);
    int id = 124;
    QString save;
    QString sheet;
    QString preview;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--save") && i + 1 < args.size()) {
            save = args[++i];
        } else if (args[i] == QLatin1String("--preview") && i + 1 < args.size()) {
            preview = args[++i];
        } else if (args[i] == QLatin1String("--sheet") && i + 1 < args.size()) {
            sheet = args[++i];
        } else {
            id = args[i].toInt();
        }
    }
    if (!sheet.isEmpty()) {
        return vorlix::CSkinViewer::Sheet(1800).save(sheet) ? 0 : 1;
    }
    if (!preview.isEmpty()) {
        return vorlix::CSkinViewer::Preview(id).save(preview) ? 0 : 1;
    }
    vorlix::CSkinViewer viewer;
    if (viewer.ShowId(id) == 0) {
        std::fprintf(stderr, "no picture %d in the id table\n", id);
    }
    viewer.show();
    if (!save.isEmpty()) {
        return viewer.grab().save(save) ? 0 : 1;
    }
    return app.exec();
}

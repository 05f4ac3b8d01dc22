// vorlix-dialog-shots OUTDIR: renders every page of the skinned dialog, the choice among several mice
// and the program chooser into OUTDIR as PNG files (skinned-dialog-<page>.png, ...), with the fonts
// and texts the configuration program uses and sample fields filled in. Outside a page's shape the
// pictures are transparent.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <fstream>

#include "tools/shots-support/ShotApplication.h"
#include "tools/shots-support/ShotPicture.h"
#include "ui/dialogs/LauncherChooser.h"
#include "ui/dialogs/MouseChoiceDlg.h"
#include "ui/dialogs/SkinDlg.h"
#include "ui/dialogs/core/SkinPages.h"

using namespace vorlix;

int main(int argc, char** argv) {
    const CShotApplication app(argc, argv, "vorlix-dialog-shots");
    if (!app.HasOutDir()) {
        return 2;
    }
    const QString& out = app.OutDir();
    QDir().mkpath(out);
    const CTextTables& texts = app.Texts();
    const QFont fontText = app.Font(2);
    const QFont fontList = app.Font(3);

    // A small macro library for the macro page.
    const std::filesystem::path library =
        std::filesystem::temp_directory_path() / "vorlix-dialog-shots-library";
    std::filesystem::create_directories(library);
    for (const char* name : {"Rapid Fire.Mac", "Burst.Mac", "Reload.Mac"}) {
        std::ofstream(library / name) << "x";
    }

    bool ok = true;
    CSkinDlg dlg(texts, fontText, fontList);
    struct SShot {
        int page;
        std::u16string text;
        int value;
        int option;
        const char* suffix;
    };
    const SShot shots[] = {
        {page::kNewMacro, u"Rapid Fire", 0, -1, ""},
        {page::kFirmwareUpdate, u"", 0, -1, ""},
        {page::kFirmwareUpdate, u"", 0, -1, "-started"},
        {page::kResetProfile, u"", 0, -1, ""},
        {page::kWarning, std::u16string(texts.Text(ETextTable::Message, 1)), 0, -1, ""},
        {page::kQuestion, u"Clear macro definitions?", 0, -1, ""},
        {page::kSaveEachProfile, u"", 0, -1, ""},
        {page::kInformation, u"The firmware is up to date.", 0, -1, ""},
        {page::kBattleMode, u"", 0, -1, ""},
        {page::kKeepLeftButton, u"", 0, -1, ""},
        {page::kSingleKey, u"", 3, -1, ""},
        {page::kMacroKey, u"", 4, 1, ""},
        {page::kRepeatCount, u"", 4, -1, ""},
    };
    for (const SShot& shot : shots) {
        dlg.page = shot.page;
        dlg.text = shot.text;
        dlg.value = shot.value;
        dlg.option = shot.option;
        dlg.path = (library / "Burst.Mac").string();
        dlg.Prepare();
        if (std::string(shot.suffix) == "-started") {
            dlg.SetProgress(40);
            dlg.show();
            QMetaObject::invokeMethod(dlg.Control(skinctl::kOk), "click");
        }
        ok =
            SaveShot(dlg,
                     QStringLiteral("%1/skinned-dialog-%2%3.png").arg(out).arg(shot.page).arg(shot.suffix)) &&
            ok;
        dlg.UpdateFinished();
    }

    CMouseChoiceDlg choice({u"2401: Qz vIVEDUD VORLIX DAZE", u"2402: Qz vIVEDUD VORLIX DAZE"});
    choice.adjustSize();
    ok = SaveShot(choice, out + "/mouse-choice.png") && ok;

    // The program chooser as the Launch Prgm button opens it: the run shows it, takes its picture and
    // cancels.
    class CShotRunner final : public IModalRunner {
    public:
        explicit CShotRunner(QString file) : m_file(std::move(file)) {}
        int Run(const SModalRequest&, const std::function<int()>& showForReal) override {
            // Shown for real; once the folder's entries are in, the picture is taken and the run cancelled.
            QTimer poll;
            int waited = 0;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                QWidget* chooser = nullptr;
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    if (widget->objectName() == QLatin1String("LauncherChooser") && widget->isVisible()) {
                        chooser = widget;
                    }
                }
                if (chooser == nullptr) {
                    return;
                }
                if (waited == 0) {
                    chooser->resize(760, 480);
                }
                auto* view = chooser->findChild<QTreeView*>();
                waited += poll.interval();
                const bool loaded = view != nullptr && view->model()->rowCount(view->rootIndex()) > 0;
                if (!loaded && waited < 15000) {
                    return;
                }
                poll.stop();
                saved = SaveShot(*chooser, m_file, false);
                qobject_cast<QDialog*>(chooser)->reject();
            });
            poll.start(250);
            return showForReal();
        }
        bool saved = false;

    private:
        QString m_file;
    } runner(out + "/program-chooser.png");
    {
        CModalRunnerScope scope(runner);
        std::string path;
        std::string name;
        ChooseProgram("", path, name);
    }
    ok = runner.saved && ok;

    std::filesystem::remove_all(library);
    return ok ? 0 : 1;
}

// vorlix-macro-shots OUTDIR: renders the macro editor into OUTDIR as PNG files: macro-editor.png with
// a macro recorded through the window (keys typed, a click and a wheel step, a command inserted) and
// macro-editor-recording.png while a recording runs. The fonts and texts are the configuration
// program's; the library lives in memory and the recording's pauses come from a scripted clock.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>

#include "macro/MacroProgram.h"
#include "macro/MemoryMacroFileSystem.h"
#include "shared/FakeClock.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"
#include "tools/shots-support/ShotApplication.h"
#include "tools/shots-support/ShotPicture.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/SkinDlg.h"
#include "ui/macro/SkinMacroDlg.h"
#include "ui/macro/core/MacroEditorModel.h"
#include "ui/skin/SkinListCtrl.h"

namespace {

using namespace vorlix;

const std::string kFolder = "/macros";

// The editor's picture as it stands, after its pending events.
bool Save(QWidget& window, const QString& file) {
    QApplication::processEvents();
    return SaveShot(window, file, false);
}

// A key at its place on the keyboard (input event code), as the desktop reports it.
void Key(QWidget* target, CFakeClock& clock, QEvent::Type type, quint32 code, uint64_t afterMs) {
    clock.Advance(afterMs);
    QKeyEvent event(type, 0, Qt::NoModifier, code + 8, 0, 0);
    QApplication::sendEvent(target, &event);
}

void Mouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

}  // namespace

int main(int argc, char** argv) {
    const CShotApplication app(argc, argv, "vorlix-macro-shots");
    if (!app.HasOutDir()) {
        return 2;
    }
    const QString& out = app.OutDir();
    const CTextTables& texts = app.Texts();
    CSkinDlg skinDlg(texts, app.Font(2), app.Font(3));

    CMemoryMacroFileSystem files;
    files.CreateFolder(kFolder);
    const std::vector<uint8_t> empty = {0x46, 0x22, 0xA1, 0, 0, 1, 1, 0, 0};
    for (const char* name : {"Rapid Fire", "Burst", "Reload", "Greeting"}) {
        files.files[kFolder + "/" + name + ".Mac"] = empty;
    }
    CMemoryStoreBackend backend;
    CRegStore store(backend);
    store.WriteDword(store::kDisableDeletePaired, 1);
    CFakeClock clock;

    CSkinMacroDlg editor({.texts = &texts,
                          .skinDlg = &skinDlg,
                          .files = &files,
                          .folder = kFolder,
                          .store = &store,
                          .clock = &clock,
                          .rowFont = app.Font(5),
                          .secondFont = app.Font(4),
                          .runtimeDir = {}});
    editor.Prepare();
    editor.show();
    CMacroEditorModel& model = editor.Model();
    const std::vector<std::u16string>& names = model.MacroNames();
    model.ChooseMacro(static_cast<int>(std::find(names.begin(), names.end(), u"Greeting") - names.begin()));

    // "Hi", typed with the right Shift, then a click on the list and one wheel step, in real time.
    ClickControl(&editor, 1113);
    QWidget* focus = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &editor;
    const quint32 kRightShift = 54, kH = 35, kI = 23;
    Key(focus, clock, QEvent::KeyPress, kRightShift, 0);
    Key(focus, clock, QEvent::KeyPress, kH, 180);
    Key(focus, clock, QEvent::KeyRelease, kH, 95);
    Key(focus, clock, QEvent::KeyRelease, kRightShift, 40);
    Key(focus, clock, QEvent::KeyPress, kI, 130);
    Key(focus, clock, QEvent::KeyRelease, kI, 85);
    QWidget* viewport = editor.List()->viewport();
    Mouse(viewport, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(60, 10));
    clock.Advance(1600);
    Mouse(viewport, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(60, 10));
    bool ok = Save(editor, out + "/macro-editor-recording.png");
    clock.Advance(2400);
    QWheelEvent wheel(QPointF(60, 10), viewport->mapToGlobal(QPointF(60, 10)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    ClickControl(&editor, 1114);

    // A command inserted before the first line, and the third line chosen for re-timing.
    model.ChooseCommand(2);  // "Copy"
    editor.Program().SelectOnly(0);
    model.InsertCommand();
    editor.Program().ClearSelection();
    editor.Program().SelectLine(3);
    model.ListClicked();
    if (auto* delay = qobject_cast<QLineEdit*>(editor.Control(1088))) {
        delay->setText(QStringLiteral("120"));
    }
    ok = Save(editor, out + "/macro-editor.png") && ok;
    editor.hide();
    return ok ? 0 : 1;
}

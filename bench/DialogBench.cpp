// Laying out a page of the skinned dialog, as every run does before it is shown: the page picture,
// its shape, the buttons and the page's list. Goal: well under a frame (16 ms), so a message or a
// choice opens without a visible pause. The macro page also reads a library folder of 50 macros.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "lang/TextTables.h"
#include "ui/dialogs/SkinDlg.h"
#include "ui/dialogs/core/SkinPages.h"

namespace {

QApplication& App() {
    static int argc = 3;
    static char name[] = "dialog_bench";
    static char platformArg[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformArg, platform, nullptr};
    static QApplication app(argc, argv);
    return app;
}

void BM_PreparePage(benchmark::State& state) {
    App();
    const vorlix::CTextTables texts;
    vorlix::CSkinDlg dlg(texts, QFont(), QFont());
    const std::filesystem::path library = std::filesystem::temp_directory_path() / "vorlix-dialog-bench";
    std::filesystem::create_directories(library);
    for (int i = 0; i < 50; ++i) {
        std::ofstream(library / ("Macro " + std::to_string(i) + ".Mac")) << "x";
    }
    dlg.page = static_cast<int>(state.range(0));
    dlg.text = u"No Gamer Mouse Connected!";
    for (auto _ : state) {
        dlg.path = (library / "Macro 7.Mac").string();
        dlg.Prepare();
        benchmark::DoNotOptimize(dlg.mask().rectCount());
    }
    std::filesystem::remove_all(library);
}
BENCHMARK(BM_PreparePage)
    ->Arg(vorlix::page::kWarning)
    ->Arg(vorlix::page::kFirmwareUpdate)
    ->Arg(vorlix::page::kSingleKey)
    ->Arg(vorlix::page::kMacroKey)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

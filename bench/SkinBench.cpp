// Building the window shape of the 990 × 760 main face from its picture: the run-length scan alone,
// and the scan merged into a QRegion as the window sets it. Goal: under 2 ms.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "ui/skin/QtRegion.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/core/PixelView.h"
#include "ui/skin/core/SkinTable.h"

namespace {

const QImage& MainFace() {
    static int argc = 1;
    static char name[] = "skin_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    static const QImage face = vorlix::CSkinImages::Image(vorlix::kMainFace);
    return face;
}

void BM_MainFaceScan(benchmark::State& state) {
    const QImage& face = MainFace();
    const vorlix::SPixelView view = vorlix::ViewOf(face);
    struct CountSink : vorlix::IRegionSink {
        std::size_t rects = 0;
        void Merge(const vorlix::SRect*, std::size_t count) override { rects += count; }
    };
    for (auto _ : state) {
        CountSink sink;
        benchmark::DoNotOptimize(vorlix::BitmapRegion(view, vorlix::kDialogKey, sink));
    }
    state.counters["pixels"] = static_cast<double>(face.width()) * face.height();
}
BENCHMARK(BM_MainFaceScan)->Unit(benchmark::kMicrosecond);

void BM_MainFaceRegion(benchmark::State& state) {
    const QImage& face = MainFace();
    std::size_t rects = 0;
    for (auto _ : state) {
        const QRegion region = vorlix::RegionFromImage(face, vorlix::kDialogKey);
        rects = static_cast<std::size_t>(region.rectCount());
        benchmark::DoNotOptimize(rects);
    }
    state.counters["region_rects"] = static_cast<double>(rects);
}
BENCHMARK(BM_MainFaceRegion)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

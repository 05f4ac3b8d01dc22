// The work a notice costs inside the notice window: the state machine's decision, and composing the
// largest picture with its digits and cutting the window shape from it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include "osd/core/OsdState.h"
#include "shared/FakeClock.h"
#include "ui/skin/QtRegion.h"
#include "ui/skin/SkinImages.h"

namespace {

using namespace vorlix;

class CNullView final : public IOsdView {
public:
    bool Prepare(const SOsdPicture& picture) override {
        benchmark::DoNotOptimize(picture.id);
        return true;
    }
    void SetVisible(bool) override {}
};

void BM_NoticeDecision(benchmark::State& state) {
    CFakeClock clock;
    CNullView view;
    COsdState osd(clock, view);
    uint32_t i = 0;
    for (auto _ : state) {
        osd.HandleNotice(0, (i & 3) | ((i & 0xFF) << 16));
        clock.Advance(20);
        osd.OnTimer();
        ++i;
    }
}
BENCHMARK(BM_NoticeDecision);

// A level picture (238 x 74) with four digits drawn in, then its shape from the key colour.
void BM_ComposeAndShape(benchmark::State& state) {
    const QImage level = CSkinImages::Image(osdpic::kLevelFirst + 3).convertToFormat(QImage::Format_RGB32);
    const auto digits = ResolutionDigits(32);
    QImage digitImages[4];
    for (int i = 0; i < 4; ++i) {
        digitImages[i] = CSkinImages::Image(digits[static_cast<size_t>(i)]);
    }
    for (auto _ : state) {
        QImage composed = level.copy();
        {
            QPainter painter(&composed);
            int x = osdpic::kDigitX;
            for (const QImage& digit : digitImages) {
                painter.drawImage(x, osdpic::kDigitY, digit);
                x += digit.width();
            }
        }
        const QRegion shape = RegionFromImage(composed, osdpic::kKeyRgb);
        benchmark::DoNotOptimize(shape.rectCount());
    }
}
BENCHMARK(BM_ComposeAndShape)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

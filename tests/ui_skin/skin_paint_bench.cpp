// Speed of the skin: painting one key, painting the whole main window with every key
// framed (a lighting-preview step repaints the keys every 50 ms), and loading the main
// window's state pictures at start-up. Run with the skin painted by the build:
//   build/bin/skin_paint_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>

#include "tools/skingen/skin_preview.h"
#include "ui/skin/layout/skin_keys.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_image.h"

namespace q804 {
namespace {

const std::filesystem::path kSkinDir = std::filesystem::path(Q804_RUNTIME_DIR) / "Skins";

void BM_KeyButtonPaint(benchmark::State& state) {
    ImageSet set = LoadImageSet(kSkinDir, kMainImageSet, QSize(1332, 484));
    PaintHookRegistry hooks;
    CPngButton key(hooks);
    key.setGeometry(0, 0, 36, 36);
    key.SetPictures(202, 208, set.normal, set.hover, set.pressed, set.disabled, set.checked);
    key.SetMark(0x00FF00, 50, true);
    QImage target(36, 36, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        key.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_KeyButtonPaint);

void BM_MainWindowPaintWithFramedKeys(benchmark::State& state) {
    PaintHookRegistry hooks;
    skingen::PreviewOptions options;
    options.skinDir = kSkinDir;
    auto dialog = skingen::BuildPreview(skingen::PreviewDialog::kMain, options, hooks);
    if (!dialog) {
        state.SkipWithError(dialog.error().message.c_str());
        return;
    }
    QImage target(dialog.value()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        dialog.value()->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_MainWindowPaintWithFramedKeys)->Unit(benchmark::kMillisecond);

void BM_LoadMainImageSet(benchmark::State& state) {
    for (auto _ : state) {
        ImageSet set = LoadImageSet(kSkinDir, kMainImageSet, QSize(1332, 484));
        benchmark::DoNotOptimize(set.normal.constBits());
    }
}
BENCHMARK(BM_LoadMainImageSet)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace q804

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

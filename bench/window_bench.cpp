// Speed of a click as the user sees it: from the handler's start until the three boxes are
// painted, on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include "form1.h"
#include "picture_box.h"

namespace {

Form1* gForm = nullptr;

void clickAndPaint(benchmark::State& st, const char* speed) {
    gForm->findChild<QLineEdit*>("SpeedTxt_0")->setText(speed);
    const QList<PictureBox*> boxes = gForm->findChildren<PictureBox*>();
    for (auto _ : st) {
        gForm->Command1_Click();
        for (PictureBox* box : boxes) box->repaint();
    }
}

void BM_Ball1ClickDefault(benchmark::State& st) { clickAndPaint(st, "125"); }
BENCHMARK(BM_Ball1ClickDefault)->Unit(benchmark::kMillisecond);

void BM_Ball1ClickSlowest(benchmark::State& st) { clickAndPaint(st, "54"); }
BENCHMARK(BM_Ball1ClickSlowest)->Unit(benchmark::kMillisecond);

void BM_Ball2Click(benchmark::State& st) {
    gForm->findChild<QLineEdit*>("SpeedTxt_0")->setText("125");
    gForm->Command1_Click();
    const QList<PictureBox*> boxes = gForm->findChildren<PictureBox*>();
    for (auto _ : st) {
        gForm->Command2_Click();
        for (PictureBox* box : boxes) box->repaint();
    }
}
BENCHMARK(BM_Ball2Click)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    Form1 form;
    form.show();
    QApplication::processEvents();
    gForm = &form;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

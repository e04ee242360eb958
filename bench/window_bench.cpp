// Speed of a click as the user sees it: from the handler's start until the three boxes are
// painted, on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "arsenal/arsenal_loader.h"
#include "arsenal/arsenal_window.h"
#include "main/form1.h"
#include "views/picture_box.h"

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

// A made-up bullpen of 300 pitches of 6 types, TrackMan's columns: read, fitted on every core
// and shown in 持ち球, from the file to the window drawn.
void BM_Arsenal300Pitches(benchmark::State& st) {
    const struct {
        const char* type;
        double mph, ivb, hb;
    } types[] = {{"Fastball", 93, 16, 8},    {"Sinker", 92, 8, 15},     {"Slider", 84, 2, -6},
                 {"Curveball", 77, -13, -8}, {"ChangeUp", 85, 7, 13}, {"Cutter", 88, 9, -3}};
    QString csv = "Pitcher,PitcherThrows,TaggedPitchType,RelSpeed,SpinRate,Tilt,"
                  "InducedVertBreak,HorzBreak\n";
    for (int i = 0; i < 300; ++i) {
        const auto& t = types[i % 6];
        const double wobble = (i * 37 % 11 - 5) / 5.0;  // -1 to 1
        csv += QString("\"Sato, Kenta\",Right,%1,%2,2300,1:30,%3,%4\n")
                   .arg(t.type)
                   .arg(t.mph + wobble)
                   .arg(t.ivb + wobble)
                   .arg(t.hb - wobble);
    }
    QFile file("bullpen.csv");
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.toUtf8()) < 0) st.SkipWithError("file");
    file.close();
    auto* loader = gForm->findChild<ArsenalLoader*>();
    for (auto _ : st) {
        loader->load("bullpen.csv");
        loader->waitForFit();
        loader->arsenalWindow()->repaint();
    }
}
BENCHMARK(BM_Arsenal300Pitches)->Unit(benchmark::kMillisecond);

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

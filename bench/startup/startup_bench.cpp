// How long the window takes to appear, against a bare QWidget with as many child controls.
//
//   startup_bench            runs everything and prints the figures and ratios
//   startup_bench --child form|bare <t0-ns>   (internal) one start, prints ns from t0 to shown
#include "app/qt_platform.h"
#include "app/tform1.h"
#include "bench/common/resident_memory.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The anchor: a plain window with the same count of each kind of control as the form.
std::unique_ptr<QWidget> makeBareWindow() {
    auto window = std::make_unique<QWidget>();
    window->setFixedSize(794, 575);
    for (int i = 0; i < 25; ++i)
        new QPushButton(QStringLiteral("button"), window.get());
    for (int i = 0; i < 9; ++i)
        new QLabel(QStringLiteral("label"), window.get());
    for (int i = 0; i < 7; ++i)
        new QLineEdit(window.get());
    for (int i = 0; i < 3; ++i)
        new QComboBox(window.get());
    for (int i = 0; i < 2; ++i)
        new QTreeWidget(window.get());
    for (int i = 0; i < 6; ++i) // five group boxes and the picture box
        new QWidget(window.get());
    return window;
}

struct Scripted : MessageBoxes {
    Answer show(QWidget*, BoxKind, const QString&, const QString&) override { return Answer::Yes; }
};

struct Fixture {
    QTemporaryDir dir;
    Scripted boxes;
    QtFileDialog files;
    QtProcessStarter processes;
    Platform platform() {
        return {&boxes, &files, &processes, dir.filePath(QStringLiteral("ScoreSetup"))};
    }
};

int runChild(const QString& kind, std::int64_t startNs) {
    Fixture fixture;
    std::unique_ptr<QWidget> window;
    if (kind == QStringLiteral("form"))
        window = std::make_unique<TForm1>(fixture.platform());
    else
        window = makeBareWindow();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return 2;
    const std::int64_t shownNs = nowNs();
    QTest::qWait(300); // let it settle before reading its idle memory
    std::printf("%lld %ld\n", static_cast<long long>(shownNs - startNs), residentKiB());
    return 0;
}

struct Start {
    double ms;
    long kib;
};

Start startOnce(const QString& self, const QString& kind) {
    QProcess child;
    const std::int64_t t0 = nowNs();
    child.start(self, {QStringLiteral("--child"), kind, QString::number(t0)});
    child.waitForFinished(30000);
    const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
    return {words.value(0).toDouble() / 1e6, words.value(1).toLong()};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Work> double medianMs(int rounds, Work work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const std::int64_t t0 = nowNs();
        work();
        times.push_back((nowNs() - t0) / 1e6);
    }
    return median(times);
}

int runAll(const QString& self) {
    constexpr int kStarts = 15;
    std::vector<double> formStarts, bareStarts;
    long formKiB = 0, bareKiB = 0;
    for (int i = 0; i < kStarts; ++i) { // interleaved, so drift hits both alike
        const Start form = startOnce(self, QStringLiteral("form"));
        const Start bare = startOnce(self, QStringLiteral("bare"));
        formStarts.push_back(form.ms);
        bareStarts.push_back(bare.ms);
        formKiB = form.kib;
        bareKiB = bare.kib;
    }
    const double formStart = median(formStarts), bareStart = median(bareStarts);
    std::printf("process start to window shown: form %.1f ms, bare QWidget %.1f ms, ratio %.2f "
                "(target <= 1.5)\n",
                formStart, bareStart, formStart / bareStart);
    std::printf("idle resident memory: form %ld KiB, bare QWidget %ld KiB\n", formKiB, bareKiB);

    Fixture fixture;
    constexpr int kRounds = 200;
    const double bareBuild = medianMs(kRounds, [] { makeBareWindow(); });
    const double formBuild = medianMs(kRounds, [&] { TForm1 form(fixture.platform()); });
    TForm1 form(fixture.platform());
    const double formCreate = medianMs(kRounds, [&] { form.FormCreate(); });
    std::printf("window built (controls + FormCreate): form %.3f ms, bare QWidget %.3f ms, ratio "
                "%.2f\n",
                formBuild, bareBuild, formBuild / bareBuild);
    std::printf("FormCreate alone: %.3f ms, %.2f of the bare QWidget's build (target <= 1.5)\n",
                formCreate, formCreate / bareBuild);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QStringLiteral("--child"))
        return runChild(arguments[2], arguments[3].toLongLong());
    return runAll(QApplication::applicationFilePath());
}

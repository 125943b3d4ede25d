// From a click on the sixth card (the turn) to the window fully updated: the analysis, the frames,
// both grids, the labels and the painting that the changes leave pending.
#include "advice/preflopstats.h"
#include "base/messages.h"
#include "cards/mododds.h"
#include "config/modglobal.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/showdownpanel.h"
#include "tests/support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

frmMain* window = nullptr;

void Click(QWidget* w) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

QWidget* Picture(int index) {
    return window->findChild<QWidget*>(QStringLiteral("imgCard_%1").arg(index));
}

void Settle() {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

// The application and the window, made on first use: the offscreen platform is chosen before the
// application starts.
void Open_Window() {
    if (window) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A home of its own: a settings file left by another run (the showdown panel shown) would change
    // what a click does.
    static QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    static int argc = 1;
    static char name[] = "bench_mainwindow";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process: the window and the application are not torn down after Qt's own
    // statics are gone.
    new QApplication(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    msg::Set_Message_Handler([](const msg::Message&) {});
    static QTemporaryDir empty; // no statistics file: the turn does not read it
    advice::Set_Stats_Folder(empty.path());
    modGlobal::MINBET = 1;
    modGlobal::MAXBET = 2;
    modGlobal::NUMRAISES = 3;
    modGlobal::POTSIZEAVG = 40;
    window = new frmMain;
    window->show();
    Settle();
}

void BM_TurnClickToFullUpdate(benchmark::State& state) {
    Open_Window();
    // Hole cards 8 and 9 of spades, flop 2 and 3 of spades and the king of hearts; the turn is the ace
    // of diamonds, with a pot typed so that the action list is rebuilt as well.
    window->cmdClear_Click();
    for (const Long i : testsupport::Cards(QStringLiteral("8s 9s 2s 3s Kh")))
        Click(Picture(i));
    window->findChild<QWidget*>(QStringLiteral("txtPot"))->setProperty("text", QStringLiteral("20"));
    Settle();
    QWidget* turn = Picture(testsupport::Card(QStringLiteral("Ad")));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Click(turn);
        Settle();
        if (state.range(0)) window->repaint(); // every pixel of the window painted again
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        Click(turn); // back to the flop, untimed
        Settle();
    }
}
// Argument 0: the pending painting only; 1: the whole window painted again on top.
BENCHMARK(BM_TurnClickToFullUpdate)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9);

// From a click on the sixth card (the turn) to the showdown panel's first figures painted, on the
// window's thread: the click, the worker's exact heads-up figures queued back, the panel filled.
void BM_TurnClickToShowdownFigures(benchmark::State& state) {
    Open_Window();
    window->cmdClear_Click();
    auto* showdown = window->findChild<QAction*>(QStringLiteral("mnuFileShowdown"));
    if (!showdown->isChecked()) showdown->trigger();
    const auto* panel = window->findChild<ShowdownPanel*>();
    const auto* win = window->findChild<QLabel*>(QStringLiteral("lblWinPct"));
    for (const Long i : testsupport::Cards(QStringLiteral("8s 9s 2s 3s Kh")))
        Click(Picture(i));
    QWidget* turn = Picture(testsupport::Card(QStringLiteral("Ad")));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Click(turn);
        while (!panel->Calculator().Has_Result() || win->text().isEmpty())
            QApplication::processEvents(QEventLoop::AllEvents);
        Settle();
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        Click(turn); // back to the flop, untimed: wait for its figures too
        while (!panel->Calculator().Has_Result())
            QApplication::processEvents(QEventLoop::AllEvents);
        Settle();
    }
    showdown->trigger();
}
BENCHMARK(BM_TurnClickToShowdownFigures)->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(9);

} // namespace

BENCHMARK_MAIN();

// The window's own timings at each table size of bench::kSizes: the database
// read into a shown window (one list reset and one paint included), and the
// whole start-up of a new window from the settings and database files to its
// first paint. The seam answers nothing; no dialog opens.
#include "SyntheticGames.h"

#include "app/StartUp.h"
#include "database/DatabaseFile.h"
#include "frontend/FrontEnd.h"
#include "ui/DialogSeam.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class SilentSeam : public DialogSeam {
  public:
    void showMessage(QWidget*, const QString&, const QString&, Icon) override {}
    std::optional<QString> askText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> chooseFile(QWidget*, const QString&, const QString&,
                                      const QString&) override {
        return std::nullopt;
    }
    std::optional<FontChoice> chooseFont(QWidget*, const FontRequest&) override {
        return std::nullopt;
    }
    void beginProgress(QWidget*, const QString&, std::function<void()>) override {}
    void updateProgress(const QString&, qint64, qint64) override {}
    void endProgress() override {}
    bool openInEditor(const QString&) override { return false; }
    void hideWindow(QWidget*) override {}
    void showWindow(QWidget*) override {}
};

QApplication& App() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "coinslot";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// A working folder with the settings, a database of `games` games and a MAME.
class BenchFolder {
  public:
    explicit BenchFolder(int games, benchmark::State& state) : m_previous(QDir::currentPath()) {
        QDir::setCurrent(m_dir.path());
        QFile mame("mame");
        mame.open(QIODevice::WriteOnly);
        mame.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile ini("coinslot.ini");
        ini.open(QIODevice::WriteOnly);
        ini.write("mameexe = mame\r\nlastgame = " + QByteArray::number(games * 9 / 10) + "\r\n");
        ini.close();
        if (!writeDatabase("coinslot.dat", bench::CachedGames(games)).ok())
            state.SkipWithError("cannot write the database");
    }
    ~BenchFolder() { QDir::setCurrent(m_previous); }

  private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Paints the whole window once, the list's visible rows included.
void PaintOnce(MainWindow& form) {
    benchmark::DoNotOptimize(form.grab().cacheKey());
}

void BM_LoadAndShow(benchmark::State& state) {
    App();
    const int games = static_cast<int>(state.range(0));
    BenchFolder folder(games, state);
    SilentSeam seam;
    MameRunner runner;
    FrontEnd frontEnd(runner);
    frontEnd.setProgramName("coinslot");
    Settings settings;
    settings.lastGame = games / 2;
    frontEnd.configure(settings);
    MainWindow form(frontEnd, seam);
    form.show();
    for (auto _ : state) {
        if (!frontEnd.loadDatabase().ok())
            state.SkipWithError("the database did not load");
        PaintOnce(form);
    }
}
BENCHMARK(BM_LoadAndShow)
    ->ArgName("games")
    ->ArgsProduct({bench::kSizes})
    ->Unit(benchmark::kMillisecond);

void BM_StartUp(benchmark::State& state) {
    App();
    BenchFolder folder(static_cast<int>(state.range(0)), state);
    SilentSeam seam;
    MameRunner runner;
    for (auto _ : state) {
        FrontEnd frontEnd(runner);
        MainWindow form(frontEnd, seam);
        if (!startUp(form, frontEnd, seam, "coinslot"))
            state.SkipWithError("the start-up failed");
        form.show();
        PaintOnce(form);
    }
}
BENCHMARK(BM_StartUp)
    ->ArgName("games")
    ->ArgsProduct({bench::kSizes})
    ->Unit(benchmark::kMillisecond);

} // namespace

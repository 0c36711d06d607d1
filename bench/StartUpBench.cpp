// The whole start-up of the window with a database of 10,001 games: reading
// the settings and the database, filling the list and selecting the last
// game, then showing the window. The seam answers nothing; no dialog opens.
#include "SyntheticGames.h"

#include "app/FrontEndStartup.h"
#include "database/DatabaseFile.h"
#include "frontend/FrontEnd.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class SilentSeam : public DialogSeam {
  public:
    void ShowMessage(QWidget*, const QString&, const QString&, Icon) override {}
    std::optional<QString> AskText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> ChooseFile(QWidget*, const QString&, const QString&,
                                      const QString&) override {
        return std::nullopt;
    }
    std::optional<FontChoice> ChooseFont(QWidget*, const FontRequest&) override {
        return std::nullopt;
    }
    void BeginProgress(QWidget*, const QString&, std::function<void()>) override {}
    void UpdateProgress(const QString&, qint64, qint64) override {}
    void EndProgress() override {}
    bool OpenInEditor(const QString&) override { return false; }
    void HideWindow(QWidget*) override {}
    void ShowWindow(QWidget*) override {}
};

void BM_StartUpWith10001Games(benchmark::State& state) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "coinslot";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QFile("mame").open(QIODevice::WriteOnly);
    QFile ini("coinslot.ini");
    ini.open(QIODevice::WriteOnly);
    ini.write("mameexe = mame\r\nlastgame = 9000\r\n");
    ini.close();
    if (!WriteDatabase("coinslot.dat", bench::SyntheticGames()).isEmpty())
        state.SkipWithError("cannot write the database");

    SilentSeam seam;
    MameRunner runner;
    for (auto _ : state) {
        FrontEnd frontEnd(runner);
        frmMain form(frontEnd, seam);
        if (!LoadFrontEnd(form, frontEnd, seam, "coinslot"))
            state.SkipWithError("the load failed");
        form.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(frontEnd.state().intSelected);
    }
    QDir::setCurrent(previous);
}
BENCHMARK(BM_StartUpWith10001Games)->Unit(benchmark::kMillisecond);

} // namespace

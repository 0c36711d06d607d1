// The benchmarks' entry point. It fixes the default locale before anything
// runs, so the case-insensitive sort and the search compare under the same
// collation whatever LANG says, and names it in the report's context.
#include <QLocale>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::AddCustomContext("locale", QLocale().name().toStdString());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The all-tasks list loader on the generated 10,000-task file, against its
// floor: the bare parse of the same file and the deciphering of the same
// rows' descriptions. The loader adds the walk, the code texts and the list's
// rows, and should cost at most 1.5 times the floor.
#include "../DataFileGenerator.h"
#include "../FloorBench.h"
#include "data/Views.h"
#include "platform/Files.h"
#include "platform/XmlDocument.h"
#include "platform/ui/ListView.h"
#include "windows/ListLoaders.h"
#include "windows/frmDisplay.h"
#include "windows/frmMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <pugixml.hpp>

namespace {

QString dataPath() {
    return platform::ProgramFile(QStringLiteral("data.xml"));
}

void BM_Floor_ParseAndDecipher(benchmark::State& state) {
    const std::string path = dataPath().toStdString();
    for (auto _ : state) {
        pugi::xml_document doc;
        doc.load_file(path.c_str());
        int rows = 0;
        for (pugi::xml_node day : doc.child("zandor").children("date"))
            for (pugi::xml_node task : day.first_child().children()) {
                benchmark::DoNotOptimize(DecipherField(QString::fromUtf8(task.child("desc").text().get())));
                ++rows;
            }
        benchmark::DoNotOptimize(rows);
    }
}

// The organiser's own load of the same file, with its strict checks; every
// loader and store starts with it.
void BM_StrictLoad(benchmark::State& state) {
    for (auto _ : state) {
        platform::XmlDocument doc;
        benchmark::DoNotOptimize(doc.load(dataPath()));
    }
}

void BM_LoadScheduleList_AllTasks(benchmark::State& state) {
    mFunctions::SetCurrentView(mFunctions::ViewTasks);
    platform::ListView* list = UseForm<frmDisplay>().lstData;
    list->SetSorted(true);
    for (auto _ : state) {
        mFunctions::LoadScheduleList(0, QString());
        // Reading the list puts the rows in and sorts them.
        benchmark::DoNotOptimize(list->ListItems().Count());
    }
    state.SetItemsProcessed(state.iterations() * list->ListItems().Count());
}

} // namespace

BENCHMARK(BM_Floor_ParseAndDecipher)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrictLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadScheduleList_AllTasks)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    qputenv("XDG_RUNTIME_DIR", folder.path().toUtf8());
    QApplication app(argc, argv);
    platform::SetAppPath(folder.path());
    QFile data(dataPath());
    data.open(QIODevice::WriteOnly);
    data.write(benchdata::generate());
    data.close();
    QFile config(platform::ProgramFile(QStringLiteral("AppCfg.cfg")));
    config.open(QIODevice::WriteOnly);
    config.write("[password]\nenabled=0\npassword=\n\n[app]\nstartup=0\n");
    config.close();
    platform::Forms::Get<frmMain>().Show();

    benchmark::Initialize(&argc, argv);
    floorbench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double floor = reporter.times["BM_Floor_ParseAndDecipher"];
    if (floor > 0)
        std::printf("\nLoader to floor: %.2f (target: at most 1.50)\n",
                    reporter.times["BM_LoadScheduleList_AllTasks"] / floor);
    return 0;
}

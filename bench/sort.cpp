// Sorting the directory list by a header click, 100,000 rows, with the list
// view attached as in the program.
#include "BenchData.h"

#include "toolkit/ListView.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void SortByColumn(benchmark::State& state, int column)
{
    TDDirectories directories;
    FillSampleDirectories(directories, static_cast<int>(state.range(0)));
    TDirectoryListModel model;
    TListView view;
    view.setModel(&model);
    view.resize(900, 250);
    view.show();
    TDirectoryList list(view, model, directories);
    list.FillDirectories();
    list.SelectRow(10);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        list.ColumnClick(column); // each click reverses the direction
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void BM_SortByPR(benchmark::State& state) { SortByColumn(state, 3); }
void BM_SortByTitle(benchmark::State& state) { SortByColumn(state, 0); }
void BM_SortByCategory(benchmark::State& state) { SortByColumn(state, 1); }

BENCHMARK(BM_SortByPR)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortByTitle)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortByCategory)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

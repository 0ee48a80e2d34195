// Sorting the directory list by a header click, 100,000 and 1,000,000 rows,
// with the list view attached as in the program. Each click reverses the
// direction; the median of the repetitions is the figure to read.
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
    LoadSampleDirectories(directories, static_cast<int>(state.range(0)));
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

void BM_SortByTitle(benchmark::State& state) { SortByColumn(state, 0); }
void BM_SortByCategory(benchmark::State& state) { SortByColumn(state, 1); }
void BM_SortByType(benchmark::State& state) { SortByColumn(state, 2); }
void BM_SortByPR(benchmark::State& state) { SortByColumn(state, 3); }
void BM_SortByAlexa(benchmark::State& state) { SortByColumn(state, 4); }

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2)->Repetitions(5)->ReportAggregatesOnly(true);
    b->Arg(100000)->Arg(1000000);
}

BENCHMARK(BM_SortByTitle)->Apply(Sizes);
BENCHMARK(BM_SortByCategory)->Apply(Sizes);
BENCHMARK(BM_SortByType)->Apply(Sizes);
BENCHMARK(BM_SortByPR)->Apply(Sizes);
BENCHMARK(BM_SortByAlexa)->Apply(Sizes);

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

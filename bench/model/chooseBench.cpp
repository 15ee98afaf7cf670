// The cost of one move choice, over every position with sticks, clock readings included.
#include <benchmark/benchmark.h>

#include <string.h>
#include <vector>

#include "game/board.h"
#include "game/choose.h"

namespace {

std::vector<int> allPositions() {
    std::vector<int> positions; // four counts packed as decimal digits
    for (int a = 0; a <= 1; ++a)
        for (int b = 0; b <= 3; ++b)
            for (int c = 0; c <= 5; ++c)
                for (int d = 0; d <= 7; ++d)
                    if (a + b + c + d > 0)
                        positions.push_back(a * 1000 + b * 100 + c * 10 + d);
    return positions;
}

// Each iteration chooses once on every one of the 383 boards; the figure per choice is the
// iteration time divided by 383 (reported as items).
void chooseOverAllPositions(benchmark::State &state) {
    const std::vector<int> positions = allPositions();
    std::vector<Board> boards(positions.size());
    for (size_t i = 0; i < positions.size(); ++i) {
        const int packed = positions[i];
        const int32_t counts[nrRows] = {packed / 1000, packed / 100 % 10, packed / 10 % 10,
                                        packed % 10};
        layOutBoard(counts);
        memcpy(boards[i], board, sizeof(Board));
    }
    IqLevel = static_cast<int32_t>(state.range(0));
    computerMoves = 1;
    ComputerMove move;
    for (auto _ : state) {
        for (const Board &b : boards) {
            memcpy(board, b, sizeof(Board));
            chooseComputerMove(&move);
            benchmark::DoNotOptimize(move);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(boards.size()));
}

} // namespace

BENCHMARK(chooseOverAllPositions)->Arg(0)->Arg(1)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();

// Costs of finding and decoding the program's resources, as the platform layer does on every
// LoadBitmapA, DialogBoxParamA and LoadStringA.
#include "platform/resources/resfile.h"
#include "resources/resource.h"

#include <benchmark/benchmark.h>

namespace {

void findLastBitmap(benchmark::State &state) {
    const ResourceBytes image = embeddedResourceImage();
    ResourceBytes out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(findResource(image, ResourceTypeBitmap, IDB_LEVER_LOW, &out));
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(findLastBitmap);

void decodeBoardDialog(benchmark::State &state) {
    const ResourceBytes image = embeddedResourceImage();
    ResourceBytes bytes;
    findResource(image, ResourceTypeDialog, IDD_BOARD, &bytes);
    for (auto _ : state) {
        DialogTemplate d;
        benchmark::DoNotOptimize(decodeDialog(bytes, &d));
        benchmark::DoNotOptimize(d.items.data());
    }
}
BENCHMARK(decodeBoardDialog);

void loadStickFace(benchmark::State &state) {
    const ResourceBytes image = embeddedResourceImage();
    for (auto _ : state) {
        ResourceBytes bytes;
        DecodedDib dib;
        benchmark::DoNotOptimize(findResource(image, ResourceTypeBitmap, IDB_PRESENT, &bytes) &&
                                 decodeDib(bytes, &dib));
        benchmark::DoNotOptimize(dib.pixels.data());
    }
}
BENCHMARK(loadStickFace);

// The about dialog loads the logo at every paint.
void loadLogo(benchmark::State &state) {
    const ResourceBytes image = embeddedResourceImage();
    for (auto _ : state) {
        ResourceBytes bytes;
        DecodedDib dib;
        benchmark::DoNotOptimize(findResource(image, ResourceTypeBitmap, IDB_LOGO, &bytes) &&
                                 decodeDib(bytes, &dib));
        benchmark::DoNotOptimize(dib.pixels.data());
    }
}
BENCHMARK(loadLogo);

void loadAllBoardBitmaps(benchmark::State &state) {
    static const uint16_t ids[19] = {130, 131, 132, 150, 151, 134, 135, 137, 136, 138,
                                     139, 140, 141, 142, 146, 143, 144, 145, 147};
    const ResourceBytes image = embeddedResourceImage();
    for (auto _ : state)
        for (uint16_t id : ids) {
            ResourceBytes bytes;
            DecodedDib dib;
            benchmark::DoNotOptimize(findResource(image, ResourceTypeBitmap, id, &bytes) &&
                                     decodeDib(bytes, &dib));
        }
}
BENCHMARK(loadAllBoardBitmaps);

} // namespace

BENCHMARK_MAIN();

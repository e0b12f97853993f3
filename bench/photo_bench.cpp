// One 12-megapixel phone photo of a page with two tickets (tilted, shadowed, JPEG):
//   ReadPhoto      found, straightened, read and checked, from the file's bytes;
//     floor        the same file decoded whole in colour, what any use of the photo starts with.
// The goal is a second at most for the reading on a two-core machine.
#include "app/photo/photo_reader.h"
#include "photo/test_cards.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>
#include <opencv2/imgcodecs.hpp>

namespace {

const photo_test::Shot& TwoTickets() {
    static const photo_test::Shot shot = [] {
        photo_test::ShotPlan plan;
        plan.layout = photo_test::Layout::PrintedPage;
        plan.distortion = photo_test::Distortion::Tilted;
        plan.twelveMegapixels = true;
        return photo_test::MakeShot(2024, plan);
    }();
    return shot;
}

void ReadPhoto(benchmark::State& state) {
    const auto& file = TwoTickets().jpeg;
    std::size_t cards = 0;
    for (auto _ : state) {
        const auto result = lotto::photo::ReadPhoto(file);
        cards = 0;
        for (const auto& t : result.tickets)
            cards += 1 + t.secondCardFound;
        benchmark::DoNotOptimize(cards);
    }
    state.counters["cards"] = static_cast<double>(cards);
}
BENCHMARK(ReadPhoto)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void DecodeWhole_floor(benchmark::State& state) {
    const auto& file = TwoTickets().jpeg;
    for (auto _ : state)
        benchmark::DoNotOptimize(cv::imdecode(file, cv::IMREAD_COLOR).data);
}
BENCHMARK(DecodeWhole_floor)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

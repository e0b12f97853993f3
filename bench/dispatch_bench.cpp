// Cost of the link machinery beside a floor doing the same work with plain indirect calls:
// a 1 000-element forwarding chain, an 8-output hub, and heap allocations per FireInteger.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "runtime/hub.h"
#include "runtime/link.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t n) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

constexpr int kChain = 1000;

struct Relay {
    qo::TEventLink next;
    long sum = 0;
    void Input(qo::TData& d, std::uint16_t) {
        sum += d.integer;
        qo::ForwardData(d, next, d);
    }
};

// Floor: the same hops as plain indirect calls through function pointers, each adding the value.
struct PlainNode {
    void (*fn)(PlainNode*, int);
    PlainNode* next;
    long sum;
};
void PlainHop(PlainNode* n, int v) {
    n->sum += v;
}

void BM_ForwardChain(benchmark::State& state) {
    qo::EnableDispatch();
    std::vector<Relay> chain(kChain);
    for (int i = 0; i + 1 < kChain; ++i)
        chain[i].next = qo::Link<&Relay::Input>(chain[i + 1]);
    const qo::TEventLink head = qo::Link<&Relay::Input>(chain[0]);
    for (auto _ : state)
        qo::FireInteger(head, 1);
    benchmark::DoNotOptimize(chain.back().sum);
    state.counters["per_hop"] = benchmark::Counter(double(state.iterations()) * kChain,
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    qo::DisableDispatch();
}

void BM_ForwardChainFloor(benchmark::State& state) {
    std::vector<PlainNode> nodes(kChain);
    for (int i = 0; i < kChain; ++i)
        nodes[i] = {&PlainHop, i + 1 < kChain ? &nodes[i + 1] : nullptr, 0};
    for (auto _ : state) {
        for (PlainNode* n = &nodes[0]; n; n = n->next)
            n->fn(n, 1);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(nodes.back().sum);
    state.counters["per_hop"] = benchmark::Counter(double(state.iterations()) * kChain,
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

struct Counter {
    long sum = 0;
    void Input(qo::TData& d, std::uint16_t) { sum += d.integer; }
};

void BM_Hub8(benchmark::State& state) {
    qo::EnableDispatch();
    qo::TQOHub hub;
    hub.SetOutputCount(8);
    std::vector<Counter> sinks(8);
    for (int i = 0; i < 8; ++i)
        hub.outputs[i] = qo::Link<&Counter::Input>(sinks[i]);
    const qo::TEventLink in = qo::Link<&qo::TQOHub::Input>(hub);
    for (auto _ : state)
        qo::FireInteger(in, 1);
    benchmark::DoNotOptimize(sinks[7].sum);
    qo::DisableDispatch();
}

void BM_Hub8Floor(benchmark::State& state) {
    std::vector<PlainNode> sinks(8);
    for (auto& s : sinks)
        s = {&PlainHop, nullptr, 0};
    PlainNode* volatile base = sinks.data();
    for (auto _ : state) {
        PlainNode* p = base;
        for (int i = 0; i < 8; ++i)
            p[i].fn(&p[i], 1);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(sinks[7].sum);
}

void BM_FireIntegerAllocations(benchmark::State& state) {
    qo::EnableDispatch();
    Counter sink;
    const qo::TEventLink l = qo::Link<&Counter::Input>(sink);
    const long before = g_allocations.load();
    for (auto _ : state)
        qo::FireInteger(l, 1);
    const long after = g_allocations.load();
    state.counters["allocs_per_fire"] = double(after - before) / double(state.iterations());
    qo::DisableDispatch();
}

} // namespace

BENCHMARK(BM_ForwardChain);
BENCHMARK(BM_ForwardChainFloor);
BENCHMARK(BM_Hub8);
BENCHMARK(BM_Hub8Floor);
BENCHMARK(BM_FireIntegerAllocations);
BENCHMARK_MAIN();

// Trains the reader's digit network and writes src/app/photo/digit_model.cpp. The digits are cut
// by the reader's own steps from simulated photos of cards drawn in faces the test pictures do not
// use (fonts-urw-base35, fonts-noto-mono), so the measurement sees faces the network has not.
//   train_digits <out.cpp> [shots]
#include "app/photo/photo_parts.h"
#include "photo/test_cards.h"

#include <QGuiApplication>

#include <opencv2/imgproc.hpp>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

using namespace lotto::photo;

namespace {

const char* const kTrainingFaces[] = {
    "/usr/share/fonts/opentype/urw-base35/NimbusSans-Bold.otf",
    "/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf",
    "/usr/share/fonts/opentype/urw-base35/NimbusSansNarrow-Bold.otf",
    "/usr/share/fonts/opentype/urw-base35/NimbusRoman-Bold.otf",
    "/usr/share/fonts/opentype/urw-base35/NimbusRoman-Regular.otf",
    "/usr/share/fonts/opentype/urw-base35/NimbusMonoPS-Bold.otf",
    "/usr/share/fonts/opentype/urw-base35/URWGothic-Demi.otf",
    "/usr/share/fonts/opentype/urw-base35/URWGothic-Book.otf",
    "/usr/share/fonts/opentype/urw-base35/C059-Bold.otf",
    "/usr/share/fonts/opentype/urw-base35/C059-Roman.otf",
    "/usr/share/fonts/opentype/urw-base35/P052-Bold.otf",
    "/usr/share/fonts/opentype/urw-base35/URWBookman-Demi.otf",
    "/usr/share/fonts/truetype/noto/NotoSansMono-Bold.ttf",
    "/usr/share/fonts/truetype/noto/NotoSansMono-Regular.ttf",
};

struct Sample {
    DigitFeatures x;
    int label;
};

void Collect(std::uint32_t seed, std::vector<Sample>& out) {
    photo_test::ShotPlan plan;
    plan.layout = static_cast<photo_test::Layout>(seed % photo_test::kLayouts);
    plan.distortion = static_cast<photo_test::Distortion>(seed / 3 % photo_test::kDistortions);
    plan.twelveMegapixels = seed % 7 == 0;
    for (const char* f : kTrainingFaces)
        plan.faces.push_back(f);
    const photo_test::Shot shot = photo_test::MakeShot(seed * 7919u + 17u, plan);
    PhotoStatus status;
    double toFile = 1;
    const cv::Mat grey = DecodeGrey(shot.jpeg, status, toFile);
    for (const photo_test::ShownCard& card : shot.cards) {
        Quad q;
        for (int i = 0; i < 4; ++i)
            q[static_cast<std::size_t>(i)] =
                card.corners[static_cast<std::size_t>(i)] * static_cast<float>(1 / toFile);
        const auto cells = CutCells(Straighten(grey, q));
        for (std::size_t c = 0; c < 27; ++c) {
            const int n = card.numbers[c];
            const auto& digits = cells[c].digits;
            if (n == 0 || digits.size() != (n < 10 ? 1u : 2u)) continue;
            if (n >= 10) out.push_back({digits[0], n / 10});
            out.push_back({digits.back(), n % 10});
        }
    }
}

struct Net {
    std::vector<float> w1, b1, w2, b2;
    DigitModel View() const { return {w1.data(), b1.data(), w2.data(), b2.data()}; }
};

void Train(Net& net, std::vector<Sample>& train, std::mt19937& r) {
    constexpr int H = DigitModel::kHidden;
    std::normal_distribution<float> init(0, 1);
    net.w1.resize(H * kFeatures), net.b1.assign(H, 0), net.w2.resize(10 * H), net.b2.assign(10, 0);
    for (float& w : net.w1)
        w = init(r) * std::sqrt(2.0f / kFeatures);
    for (float& w : net.w2)
        w = init(r) * std::sqrt(2.0f / H);
    const int epochs = 30;
    for (int e = 0; e < epochs; ++e) {
        std::shuffle(train.begin(), train.end(), r);
        const float rate = 0.02f * (1 - 0.9f * e / epochs);
        double loss = 0;
        for (const Sample& s : train) {
            float hidden[H];
            const DigitModel view = net.View();
            const auto p = RunDigitModel(view, s.x, hidden);
            loss -= std::log(std::max(1e-9f, p[static_cast<std::size_t>(s.label)]));
            float dh[H] = {};
            for (int d = 0; d < 10; ++d) {
                const float g = p[static_cast<std::size_t>(d)] - (d == s.label ? 1.0f : 0.0f);
                for (int h = 0; h < H; ++h) {
                    dh[h] += g * net.w2[static_cast<std::size_t>(d * H + h)];
                    net.w2[static_cast<std::size_t>(d * H + h)] -= rate * g * hidden[h];
                }
                net.b2[static_cast<std::size_t>(d)] -= rate * g;
            }
            for (int h = 0; h < H; ++h) {
                if (hidden[h] <= 0) continue;
                float* w = &net.w1[static_cast<std::size_t>(h * kFeatures)];
                for (int i = 0; i < kFeatures; ++i)
                    w[i] -= rate * dh[h] * s.x[static_cast<std::size_t>(i)];
                net.b1[static_cast<std::size_t>(h)] -= rate * dh[h];
            }
        }
        std::printf("epoch %d: loss %.4f\n", e + 1, loss / train.size());
    }
}

void Write(const Net& net, const char* path) {
    std::ofstream out(path);
    out << "// Written by tests/photo/train_digits: do not edit.\n#include \"app/photo/photo_parts.h\"\n\n"
           "namespace lotto::photo {\nnamespace {\n\n";
    auto array = [&](const char* name, const std::vector<float>& v) {
        out << "const float " << name << "[" << v.size() << "] = {";
        for (std::size_t i = 0; i < v.size(); ++i) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.5g", v[i]);
            out << (i % 12 ? " " : "\n    ") << buf << ",";
        }
        out << "\n};\n";
    };
    array("kW1", net.w1), array("kB1", net.b1), array("kW2", net.w2), array("kB2", net.b2);
    out << "\n} // namespace\n\nconst DigitModel& TrainedDigitModel() {\n"
           "    static const DigitModel model{kW1, kB1, kW2, kB2};\n    return model;\n}\n\n"
           "} // namespace lotto::photo\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: train_digits <digit_model.cpp> [shots]\n");
        return 2;
    }
    for (const char* f : kTrainingFaces)
        if (!std::filesystem::exists(f)) {
            std::fprintf(stderr, "missing %s (apt-get install fonts-urw-base35 fonts-noto-mono)\n", f);
            return 1;
        }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int shots = argc > 2 ? std::atoi(argv[2]) : 300;
    std::vector<Sample> samples;
    for (int i = 0; i < shots; ++i)
        Collect(static_cast<std::uint32_t>(i), samples);
    std::mt19937 r(12345);
    std::shuffle(samples.begin(), samples.end(), r);
    std::vector<Sample> check(samples.end() - static_cast<long>(samples.size() / 10), samples.end());
    samples.resize(samples.size() - check.size());
    std::printf("%zu digits to train on, %zu to check\n", samples.size(), check.size());
    Net net;
    Train(net, samples, r);
    int right = 0;
    for (const Sample& s : check) {
        const auto p = RunDigitModel(net.View(), s.x);
        right += std::max_element(p.begin(), p.end()) - p.begin() == s.label;
    }
    std::printf("held-back digits read right: %.3f %%\n", 100.0 * right / check.size());
    Write(net, argv[1]);
    return 0;
}

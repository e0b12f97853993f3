// The two ways of reading a cell's digits held side by side on the same generated photos: the
// reader's own network and Tesseract (digits only, one line a cell), each given the same
// straightened cells of the cards where they are shown, so finding the cards plays no part.
//   digit_readers [shots]
#include "app/photo/photo_parts.h"
#include "photo/test_cards.h"

#include <QGuiApplication>

#include <opencv2/imgproc.hpp>
#include <tesseract/baseapi.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

using namespace lotto::photo;

namespace {

std::string Trimmed(const char* text) {
    std::string s;
    for (const char* p = text; p && *p; ++p)
        if (*p >= '0' && *p <= '9') s += *p;
    return s;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int shots = argc > 1 ? std::atoi(argv[1]) : 40;
    tesseract::TessBaseAPI ocr;
    if (ocr.Init(nullptr, "eng", tesseract::OEM_LSTM_ONLY) != 0) {
        std::fprintf(stderr, "Tesseract has no English data (tesseract-ocr-eng)\n");
        return 1;
    }
    ocr.SetVariable("tessedit_char_whitelist", "0123456789");
    ocr.SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    int cells = 0, ownRight = 0, ocrRight = 0;
    double ownSeconds = 0, ocrSeconds = 0;
    for (int i = 0; i < shots; ++i) {
        photo_test::ShotPlan plan;
        plan.layout = static_cast<photo_test::Layout>(i % photo_test::kLayouts);
        plan.distortion =
            static_cast<photo_test::Distortion>(i / photo_test::kLayouts % photo_test::kDistortions);
        const photo_test::Shot shot = photo_test::MakeShot(5000u + static_cast<std::uint32_t>(i), plan);
        PhotoStatus status;
        double toFile = 1;
        const cv::Mat grey = DecodeGrey(shot.jpeg, status, toFile);
        for (const photo_test::ShownCard& card : shot.cards) {
            Quad q;
            for (std::size_t k = 0; k < 4; ++k)
                q[k] = card.corners[k] * static_cast<float>(1 / toFile);
            const cv::Mat straight = Straighten(grey, q);
            auto start = std::chrono::steady_clock::now();
            const auto shapes = CutCells(straight);
            const CardGuess guess = GuessCard(shapes);
            ownSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            for (std::size_t c = 0; c < 27; ++c) {
                const int n = card.numbers[c];
                if (n == 0) continue;
                ++cells;
                std::string own;
                const CellGuess& g = guess[c];
                if (g.digits == 2)
                    own += static_cast<char>(
                        '0' + (std::max_element(g.tens.begin(), g.tens.end()) - g.tens.begin()));
                if (g.digits >= 1)
                    own += static_cast<char>(
                        '0' + (std::max_element(g.units.begin(), g.units.end()) - g.units.begin()));
                ownRight += own == std::to_string(n);

                const int row = static_cast<int>(c) / 9, column = static_cast<int>(c) % 9;
                cv::Mat cell = straight(cv::Rect(column * kCell + kCell / 9, row * kCell + kCell / 9,
                                                 kCell - 2 * kCell / 9, kCell - 2 * kCell / 9))
                                   .clone();
                cv::resize(cell, cell, cv::Size(), 2, 2, cv::INTER_CUBIC);
                cv::copyMakeBorder(cell, cell, 10, 10, 10, 10, cv::BORDER_REPLICATE);
                start = std::chrono::steady_clock::now();
                ocr.SetImage(cell.data, cell.cols, cell.rows, 1, static_cast<int>(cell.step));
                std::unique_ptr<char[]> text(ocr.GetUTF8Text());
                ocrSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                ocrRight += Trimmed(text.get()) == std::to_string(n);
            }
        }
    }
    std::printf("numbered cells: %d\n", cells);
    std::printf("own network:  %6.2f %% read right, %.2f ms a card\n", 100.0 * ownRight / cells,
                1000 * ownSeconds / (shots * 4));
    std::printf("Tesseract:    %6.2f %% read right, %.2f ms a numbered cell\n", 100.0 * ocrRight / cells,
                1000 * ocrSeconds / cells);
    ocr.End();
    return 0;
}

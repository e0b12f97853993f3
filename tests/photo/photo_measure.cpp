// The reader measured on generated photos: cards found, cells read right, and wrong cells left
// without a doubt, per layout, per distortion and per size.
//   photo_measure [shots]   (140 shots of two tickets by default: 560 cards)
#include "app/photo/photo_reader.h"
#include "photo/scoring.h"
#include "photo/test_cards.h"

#include <QGuiApplication>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

using namespace photo_test;

namespace {

void Row(const std::string& name, const Score& s) {
    std::printf("| %-14s | %5d | %6.2f %% | %7.3f %% | %5d | %6.2f %% | %6.2f %% |\n", name.c_str(), s.cards,
                s.Percent(s.found, s.cards), s.Percent(s.right, s.cells), s.wrongUnflagged,
                s.Percent(s.flagged, s.cells), s.Percent(s.paired, s.tickets));
}

void Table(const char* title, const std::map<std::string, Score>& rows) {
    std::printf(
        "\n| %-14s | cards | found    | cells right | wrong, not doubted | doubted | tickets paired |\n",
        title);
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const auto& [name, s] : rows)
        Row(name, s);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (const std::string missing = MissingFonts(); !missing.empty()) {
        std::fprintf(stderr, "missing fonts: %s\n", missing.c_str());
        return 1;
    }
    const int shots = argc > 1 ? std::atoi(argv[1]) : 140;
    std::map<std::string, Score> byLayout, byDistortion, bySize;
    Score all;
    double readSeconds = 0;
    for (int i = 0; i < shots; ++i) {
        ShotPlan plan;
        plan.layout = static_cast<Layout>(i % kLayouts);
        plan.distortion = static_cast<Distortion>(i / kLayouts % kDistortions);
        plan.twelveMegapixels = i % 4 == 3;
        const Shot shot = MakeShot(1000u + static_cast<std::uint32_t>(i), plan);
        const auto start = std::chrono::steady_clock::now();
        const lotto::photo::PhotoResult result = lotto::photo::ReadPhoto(shot.jpeg);
        readSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (std::getenv("PHOTO_WRONG"))
            std::printf("shot %d %s %s\n", i, Name(plan.layout), Name(plan.distortion));
        const Score s = ScoreShot(shot, result);
        if (s.found != s.cards || s.wrongUnflagged > 0)
            std::printf("shot %d (%s, %s, %s): %d of %d cards, %d wrong not doubted\n", i, Name(plan.layout),
                        Name(plan.distortion), plan.twelveMegapixels ? "12 MP" : "2 MP", s.found, s.cards,
                        s.wrongUnflagged);
        // PHOTO_DUMP=<folder> keeps the shots read wrong, to look at: a PNG with every card found
        // outlined in red, halved so an image viewer shows it whole.
        if (s.right != s.cells && std::getenv("PHOTO_DUMP")) {
            cv::Mat picture = cv::imdecode(shot.jpeg, cv::IMREAD_COLOR);
            for (const auto& ticket : result.tickets)
                for (const auto& card : ticket.cards) {
                    std::vector<cv::Point> outline;
                    for (const auto& c : card.corners)
                        outline.emplace_back(static_cast<int>(c.x), static_cast<int>(c.y));
                    cv::polylines(picture, outline, true, cv::Scalar(0, 0, 255), 3);
                }
            cv::resize(picture, picture, cv::Size(), 0.5, 0.5, cv::INTER_AREA);
            cv::imwrite(std::string(std::getenv("PHOTO_DUMP")) + "/shot" + std::to_string(i) + ".png",
                        picture);
        }
        byLayout[Name(plan.layout)].Add(s);
        byDistortion[Name(plan.distortion)].Add(s);
        bySize[plan.twelveMegapixels ? "12 MP" : "2 MP"].Add(s);
        all.Add(s);
    }
    Table("layout", byLayout);
    Table("distortion", byDistortion);
    Table("size", bySize);
    Table("all", {{"all", all}});
    std::printf("\nmean reading time per photo: %.0f ms\n", 1000 * readSeconds / shots);
    return 0;
}

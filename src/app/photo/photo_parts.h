#pragma once
// Inside the reader: the steps from a decoded picture to the cells' guesses, each on its own so the
// tests, the measurement and the digit trainer can reach it.
#include "app/photo/photo_reader.h"
#include "app/photo/ticket_rules.h"

#include <opencv2/core.hpp>

#include <array>
#include <vector>

namespace lotto::photo {

// The decoded picture in grey, reduced while decoding when it is large (a 12-megapixel photo holds
// far more detail than its cards need); empty when the file is not a picture or too large.
// `toFile` is what the grey picture's coordinates are multiplied by to be the file's.
cv::Mat DecodeGrey(std::span<const unsigned char> file, PhotoStatus& status, double& toFile);

// The cards of a grey picture, paired into tickets, corners in the grey picture's coordinates.
std::vector<ReadTicket> ReadGrey(const cv::Mat& grey);

// Width and height read from a JPEG's or PNG's header without decoding it; {0, 0} when unknown.
cv::Size SniffSize(std::span<const unsigned char> file);

// A card's corners in the picture: top-left, top-right, bottom-right, bottom-left.
using Quad = std::array<cv::Point2f, 4>;

// Every outlined 3 x 9 card in a grey picture.
std::vector<Quad> FindCards(const cv::Mat& grey);

// The card straightened: kCell pixels a cell, 9 x 3 cells.
constexpr int kCell = 48;
cv::Mat Straighten(const cv::Mat& grey, const Quad& corners);

// A digit shape cut from a cell, as the classifier takes it.
constexpr int kDigitSide = 16;
constexpr int kFeatures = kDigitSide * kDigitSide + 2;
using DigitFeatures = std::array<float, kFeatures>;

struct CellShapes {
    float ink = 0;
    std::vector<DigitFeatures> digits; // left to right, at most two
};

// The digit shapes of each cell of a straightened card, row by row.
std::array<CellShapes, 27> CutCells(const cv::Mat& card);

// Probabilities of 0-9 for one digit shape.
std::array<float, 10> ClassifyDigit(const DigitFeatures& digit);

// The classifier's weights, written by the digit trainer (tests/photo/train_digits).
struct DigitModel {
    static constexpr int kHidden = 64;
    const float* w1; // kHidden x kFeatures
    const float* b1; // kHidden
    const float* w2; // 10 x kHidden
    const float* b2; // 10
};
const DigitModel& TrainedDigitModel();

// Hidden layer and softmax, shared by the reader and the trainer.
std::array<float, 10> RunDigitModel(const DigitModel& model, const DigitFeatures& digit,
                                    float* hiddenOut = nullptr);

CardGuess GuessCard(const std::array<CellShapes, 27>& shapes);

} // namespace lotto::photo

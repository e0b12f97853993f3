#pragma once
// Computes the difference of two operands and hands it on as an integer or a real. Where each
// operand comes from (data input, property, or the incoming event) is the readers' rule.
#include <cstdint>

#include "runtime/link.h"

namespace qo {

class TQOMath {
public:
    double result = 0.0;
    double first = 0.0;          // used when its data input is open and the value is not 0
    double second = 0.0;         // the same for the second operand
    std::uint8_t realResult = 0; // 0: hand results on as integers (nearest, ties to even)

    TEventLink resultOutput;
    TEventLink firstInput;  // data input
    TEventLink secondInput; // data input

    void SetDefault(double value);
    double Default() const { return default_; }

    void Calculate(TData& d, std::uint16_t index);
    void Result(TData& out, std::uint16_t index); // data output: the last result

private:
    std::int32_t IntegerResult() const;
    double default_ = 0.0;
};

} // namespace qo

#pragma once
// A static container whose nested scheme is a scroll box; it only insists on a parent window.
#include "containers/multi_element.h"

namespace qo {

class TQOChildScrollBox : public TQOMultiElement {
public:
    explicit TQOChildScrollBox(Control* parent) : TQOMultiElement(parent) {}
};

} // namespace qo

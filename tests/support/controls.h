#pragma once
// Every kind of control the layer makes, for tests that build controls directly.
#include "widgets/layer/button_control.h"
#include "widgets/layer/control.h"
#include "widgets/layer/edit_control.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/label_control.h"
#include "widgets/layer/panel_control.h"
#include "widgets/layer/scroll_box_control.h"
#include "widgets/layer/window_control.h"

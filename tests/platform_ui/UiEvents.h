#pragma once

// The synthetic input helpers live in the shared test support; this name is
// kept for includes written before they moved there.

#include "WidgetEvents.h"

namespace uievents = widgetevents;

#pragma once

#include <QString>

namespace platform {

// The program's command line after the program's own name, as the run time
// hands it over: the arguments joined by single spaces, empty when there are
// none.
QString Command();

} // namespace platform

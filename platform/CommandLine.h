#pragma once

#include <QString>
#include <optional>

namespace platform {

// The program's command line after the program's own name, as the run time
// hands it over: the arguments joined by single spaces, empty when there are
// none. Tests decide it for themselves.
QString Command();
void SetCommandOverride(std::optional<QString> commandLine);

} // namespace platform

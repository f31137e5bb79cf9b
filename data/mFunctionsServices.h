#pragma once

#include <QString>

// The services of module mFunctions that stand on the configuration file and
// on the registry.
namespace mFunctions {

// With Store true, enciphers NewPassword into AppCfg.cfg and returns "", or a
// text starting with "ERR#" when the file could not be written.
// Otherwise returns the stored password in plain text (a blank stored value
// as it stands). A configuration file without the section "password" gives a
// text starting with "ERR#", followed by the message to show.
QString AccessAppPassword(bool Store, const QString& NewPassword);

// Adds the organiser to the start-up list under the value name, so signing in
// starts it minimised, or removes it (Remove true). Registry errors reach the
// caller.
void SetWindowsStartup(const QString& ValueName, bool Remove);

} // namespace mFunctions

#pragma once

#include "platform/Variant.h"

#include <QString>

// The program's start.
namespace mMain {

// Checks the configuration file, then opens exactly one window: the access
// password prompt, the dialog that sets a first password, or the main window.
// Opens none when the configuration file is missing. `command` is the
// program's command line after its name (platform::Command()).
void Main(const QString& command = QString());

// The command line the start was given, for the main window's load to act on.
// It is handed over once: a start asks for one main window.
QString TakeStartCommand();

// Tells the person that no access password is stored yet and one is to be
// set now, before the dialog that sets it opens.
void AskForFirstPassword();

// A switch of the configuration file: any number but 0 is on, and so is
// "True" in any case, "False" off; another text counts as the key's default,
// so a stray word never turns protection off.
bool SwitchOn(const platform::Variant& value, const QString& byDefault);

} // namespace mMain

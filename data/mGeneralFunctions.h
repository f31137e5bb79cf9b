#pragma once

#include "data/cRC4.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <memory>

// The small routines the windows and the record stores share.
namespace mGeneralFunctions {

// The cipher object; every caller puts a new one here before it enciphers or
// deciphers.
extern std::unique_ptr<cRC4> oRC4;

// Opens a file or address with the desktop's default action. When nothing
// opens it, a box says so and what to install; a help file is then shown
// from its pages in the browser, when they stand beside it.
void ShellOpen(const QString& fileOrUrl, const QString& ownerHandle);
void SetTopMost(int32_t windowHandle, bool onTop);
QString ApplicationBuild(bool withBuildWord, bool withBuildNumber);
bool IsBlank(const QString& text);
void UnloadAllForms();
bool FileExists(const QString& path);
QString ReadTextFile(const QString& path);
bool WriteTextFile(const QString& path, const QString& text);
bool IsFormLoadedVisible(const QString& formName);
// The date a day key "dd-mm-yyyy" names; an invalid date when the key is not
// three numbers.
QDate GetDateOnly(const QString& dayKey);

// The date that a year, month and day name, with months and days past their
// range carried over as the run time's DateSerial does.
QDate DateSerial(int year, int month, int day);

} // namespace mGeneralFunctions

#pragma once

namespace platform {

// The base of the error numbers a program defines for itself (hexadecimal
// 80040000); its own errors are raised as this base plus a number.
constexpr long kUserErrorBase = -2147221504L;

} // namespace platform

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The registry keys the program's settings are stored under.
#include <string>

namespace kvarzel::testing {

inline const std::string Vendor = "Software\\Tellumor";
inline const std::string Product = Vendor + "\\Kvarzel";
inline const std::string Keys = Product + "\\Keys";
inline const std::string Timer = Product + "\\Timer";
inline const std::string Sounds = Product + "\\Sounds";

} // namespace kvarzel::testing

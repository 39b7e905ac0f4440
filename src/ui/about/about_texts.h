// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kvarzel {

struct VersionStrings;

// The maker's contacts: what the links show and what a click opens. The
// dialog's width makes room for the website's address only, so the e-mail
// address must not be the longer of the two.
inline constexpr auto MakerEmail = "info@tellumor.example";
inline constexpr auto MakerEmailTarget = "mailto:info@tellumor.example";
inline constexpr auto MakerWebsite = "https://tellumor.example/";
inline constexpr auto MakerWebsiteTarget = "https://tellumor.example/";

// The year and the holder of the copyright.
QString CopyrightNotice();

// The first block of the About text: the description, "Версия " with the file
// version, a blank line and the copyright line, each line ended by a break.
QString AboutHeaderText(const VersionStrings& strings);

// What follows the header once the contact lines are placed: four blank
// lines to hold them, then three lines of thanks.
QString AboutAcknowledgementsText();

} // namespace kvarzel

#pragma once

// The program's own title and where its maker can be found.
inline constexpr auto kProgramTitle = "Bolvin";
inline constexpr auto kWebAddress = "https://bolvin.app";
inline constexpr auto kAuthorLine = "by Harnwick";

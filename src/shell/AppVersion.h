#pragma once
// The program's own version, as shown in the caption and as compared with
// the update site's; and the last argument handed to the updater.

inline constexpr char AppVersionText[] = "1.01";
// A 32-bit value: what the update check compares and passes to the updater.
inline constexpr float AppVersion = 1.01f;
inline constexpr char UpdaterArg[] = "A";

#pragma once

namespace kalmur {

// File names of the start-up steps. The working-directory file sits beside the
// program; the others are created under the base directory it names.
inline constexpr const char* kWorkingDirectoryFileName = "TRELIN.WDR";
inline constexpr const char* kWriteTestFileName = "TEST&&&&.TMP";
inline constexpr const char* kWorkingDirectoryPrefix = "TEMP.";
inline constexpr const char* kLockFileName = "SYSTEM.LOK";

// Private working directories are numbered 1 to this.
inline constexpr int kMaxWorkingDirectories = 20;

} // namespace kalmur

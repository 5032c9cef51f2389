// What the skinned message boxes return, and the kinds that choose the single-button box's picture.
#pragma once

namespace yk {

inline constexpr int kBoxOk = 1;    // the single button
inline constexpr int kBoxLeft = 6;  // left of two buttons ("yes")
inline constexpr int kBoxRight = 7; // right of two buttons ("no")
inline constexpr int kBoxYes = kBoxLeft;
inline constexpr int kBoxNo = kBoxRight;

namespace box_kind {
inline constexpr int kBusy = 1;           // computer with a gear
inline constexpr int kLowSpace = 2;       // computer with a warning mark
inline constexpr int kSdEnableFailed = 3; // SD card with a warning mark
inline constexpr int kFolder = 4;         // folder with a gear
inline constexpr int kDateRange = 5;      // calendar with a warning mark
inline constexpr int kPassword = 6;       // padlock with a warning mark
inline constexpr int kPasswordSaved = 7;  // padlock with a check mark
inline constexpr int kNotOnSdCard = 8;    // SD card with a warning mark
} // namespace box_kind

namespace box2_kind {
inline constexpr int kFolderFailure = 1; // folder with a warning mark
inline constexpr int kFolderConfirm = 2; // folder with a gear
} // namespace box2_kind

} // namespace yk

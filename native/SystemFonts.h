#pragma once
// The system font sizes that NSFont reports (systemFontSize, smallSystemFontSize), settable so
// that tests can reach the cases a real system rarely shows: systemFontOfSize: gives nil for a
// size of 0 or less. Main thread only.
namespace native {

inline constexpr double kSystemFontSize = 13.0;
inline constexpr double kSmallSystemFontSize = 11.0;

void SetSystemFontSizes(double regular, double small);
// Back to kSystemFontSize and kSmallSystemFontSize.
void ResetSystemFontSizes();

}  // namespace native

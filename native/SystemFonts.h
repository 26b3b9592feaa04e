#pragma once
// The system font: its face, and the sizes that NSFont reports (systemFontSize,
// smallSystemFontSize), settable so that tests can reach the cases a real system rarely shows:
// systemFontOfSize: gives nil for a size of 0 or less. Main thread only.
namespace native {

// The face that stands for the system's: a narrow sans (Helvetica Narrow's widths, from Debian's
// fonts-urw-base35), since the texts' boxes were drawn for a narrow system face.
inline constexpr char kSystemFontFamily[] = "Nimbus Sans Narrow";

inline constexpr double kSystemFontSize = 13.0;
inline constexpr double kSmallSystemFontSize = 11.0;

void SetSystemFontSizes(double regular, double small);
// Back to kSystemFontSize and kSmallSystemFontSize.
void ResetSystemFontSizes();

}  // namespace native

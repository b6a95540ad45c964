#pragma once

// The pixel density of the screen in dots per inch, horizontal and vertical. Read once at the
// very start of start-up and then used wherever the program scales to the display: below 130
// dots per inch the small images are used, from 130 on the large ones.
int ScreenDpiX();
int ScreenDpiY();
// Whether the densities have been read or set.
bool ScreenDpiKnown();
// Reads the densities from the primary screen's logical dots per inch, unless they are known.
void ReadScreenDpi();
// Sets the densities (tests set them before start-up, so that start-up keeps them).
void SetScreenDpi(int dpiX, int dpiY);
// Forgets the densities, so that the next ReadScreenDpi reads them again.
void ForgetScreenDpi();
// Whether the screen counts as high density: 130 dots per inch or more horizontally.
inline bool IsHighDensityScreen() {
    return ScreenDpiX() >= 130;
}

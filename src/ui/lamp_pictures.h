#pragma once

#include <QPixmap>

// The two pictures of a lamp, 32 x 32 on a transparent background.
QPixmap UnlitLampPicture(); // a white ring
QPixmap LitLampPicture();   // a red disc in a white ring with eight short red rays

#pragma once

// Maps the design's Windows font names onto families installed here, with a CJK
// family behind each so Chinese captions render as text.
void InstallFontSubstitutions();

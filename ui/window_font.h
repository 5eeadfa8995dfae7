#pragma once
// The font of every window: 12 pixels high, in a face that holds the
// Chinese characters of the Simplified and Traditional captions.

#include <QFont>
#include <QStringList>

// Faces in order of preference; the first one installed is used. The
// program's classic face comes first for machines that have it.
QStringList WindowFontFamilies();

// The first installed face of WindowFontFamilies (the toolkit's default face
// when none is), 12 pixels high.
QFont WindowFont();

#pragma once

#include <QFont>

// The font as Qt would draw it, named by the installed family that stands in for the wanted one:
// the wanted family itself when it is installed, else the first installed of its registered
// substitutes (the windows ask for faces Debian does not ship). Everything else about the font
// is kept; when none of them is installed, the font comes back unchanged and Qt's own search
// picks a face.
//
// Qt would find that same face, but for a family that is not installed it first ranks every
// installed font as a fallback for it, and again for the face it settles on; at start-up that
// costs as much as loading the face itself. A font named by its installed family skips both.
QFont installed_face(const QFont &wanted);

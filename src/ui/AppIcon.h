#pragma once

#include <QIcon>

// The program's icon: a module with its antenna and radio waves, drawn at every size
// the window system asks for, so no image files need to travel with the program.
QIcon OrvalisIcon();

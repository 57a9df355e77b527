#pragma once

#include <QString>

// `text` with every control character and line break written as an escape ("\n", "\t",
// "\x1b", "\u2028"), so that a device path from the settings or the command line shows
// as the one line it is and cannot move the cursor or colour a terminal. Backslashes
// and printable characters of any script stay as they are.
QString EscapeControlCharacters(const QString& text);

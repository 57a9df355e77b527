#pragma once

#include <QByteArray>

// "01 05 03 09 04" -> the five bytes; blanks are optional.
inline QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

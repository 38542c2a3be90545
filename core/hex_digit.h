#pragma once

// The value of a hexadecimal digit in either case, or -1 for any other
// character. Sequence files and clipboard lines both carry hex digits.
constexpr int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

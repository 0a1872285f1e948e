// IPv4 addresses as dotted decimal text (a.b.c.d): splitting a text into its
// four numbers, joining four numbers, stepping to the next host address and
// telling a usable host address. Results are 0 for success, -1 for failure.
#pragma once

#include <string>

// Splits the text into four numbers, each read as strtol reads a decimal
// number (leading blanks and a sign pass, an empty field is 0; no range
// check). -1 for fewer or more than four fields.
int ParseIPv4Text(const std::string& text, int& a, int& b, int& c, int& d);
// a.b.c.d in decimal.
void FormatIPv4Text(int a, int b, int c, int d, std::string& text);
// Replaces the address by the next host address (last field 1..254, 127.x
// skipped). -1 when it wrapped to 1.0.0.1, or when the text does not parse
// (then the text is left as it was).
int NextIPv4Address(std::string& text);
// 0 for a usable host address (first field 1..223 but not 127, last field
// neither 0 nor 255); -1 otherwise, a text that does not parse included.
int CheckIPv4Host(const std::string& text);

#include "settings/NumberText.h"

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

bool ParseNumber32(const char* text, std::uint32_t& value)
{
    const char* p = text;
    bool hex = p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    bool negative = !hex && *p == '-';
    p += hex ? 2 : negative ? 1 : 0;
    if (*p == '\0')
        return false;
    std::uint64_t v = 0;
    for (; *p; p++) {
        int digit = hex ? HexDigit(*p) : *p >= '0' && *p <= '9' ? *p - '0' : -1;
        if (digit < 0)
            return false;
        v = v * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (v > 0xFFFFFFFFull)
            return false;
    }
    if (negative && v > 0x80000000ull)
        return false;
    value = static_cast<std::uint32_t>(negative ? 0x100000000ull - v : v);
    return true;
}

bool ParseInRange(const char* text, std::uint32_t low, std::uint32_t high, std::uint32_t& value)
{
    std::uint32_t v = 0;
    if (text[0] == '-' || !ParseNumber32(text, v) || v < low || v > high)
        return false;
    value = v;
    return true;
}

std::string RangeMessage(const std::string& option, const std::string& text, std::uint32_t low, std::uint32_t high)
{
    return option + ": expected a number from " + std::to_string(low) + " to " + std::to_string(high) + ", got " +
        Quoted(text);
}

std::string Escaped(const std::string& text)
{
    static const char DIGITS[] = "0123456789abcdef";
    std::string escaped;
    for (char byte : text) {
        unsigned char c = static_cast<unsigned char>(byte);
        if (c >= ' ' && c < 0x7F)
            escaped += byte;
        else
            escaped += {'\\', 'x', DIGITS[c >> 4], DIGITS[c & 15]};
    }
    return escaped;
}

std::string Quoted(const std::string& text)
{
    bool cut = text.size() > MAX_QUOTED_BYTES;
    return "'" + Escaped(cut ? text.substr(0, MAX_QUOTED_BYTES) : text) + (cut ? "'..." : "'");
}

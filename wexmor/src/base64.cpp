#include "base64.h"

#include <new>

namespace wexmor {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const int kLineLength = 72;

int ValueOf(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

} // namespace

void AppendBase64(WexmorText& target, const unsigned char* data, size_t length)
{
    int column = 0;
    auto put = [&](char c) {
        target.Append(&c, 1);
        if (++column == kLineLength) {
            target.Append("\r\n");
            column = 0;
        }
    };
    for (size_t i = 0; i < length; i += 3) {
        unsigned group = static_cast<unsigned>(data[i]) << 16;
        if (i + 1 < length)
            group |= static_cast<unsigned>(data[i + 1]) << 8;
        if (i + 2 < length)
            group |= data[i + 2];
        put(kAlphabet[(group >> 18) & 63]);
        put(kAlphabet[(group >> 12) & 63]);
        put(i + 1 < length ? kAlphabet[(group >> 6) & 63] : '=');
        put(i + 2 < length ? kAlphabet[group & 63] : '=');
    }
}

bool DecodeBase64(const char* text, size_t length, std::unique_ptr<unsigned char[]>& bytes, size_t& count)
{
    bytes.reset(new (std::nothrow) unsigned char[length ? length : 1]);
    if (!bytes)
        return false;
    count = 0;
    unsigned bits = 0;
    int bitCount = 0;
    for (size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        if (c == '=') {
            // Padding ends the group: its leftover bits carry no byte.
            bits = 0;
            bitCount = 0;
            continue;
        }
        int value = ValueOf(c);
        if (value < 0)
            return false;
        bits = (bits << 6) | static_cast<unsigned>(value);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes[count++] = static_cast<unsigned char>(bits >> bitCount);
            bits &= (1u << bitCount) - 1;
        }
    }
    return true;
}

} // namespace wexmor

#include "base/text.h"

char *upcase(char *text) {
    if (!text) return text;
    for (char *p = text; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 'a' && c <= 'z') *p = static_cast<char>(c - 32);
    }
    return text;
}

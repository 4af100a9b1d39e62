// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/applet.h"

#include <cctype>
#include <cstdint>

std::int32_t spotLongitude;
char satelliteLetters[4];

std::int32_t parseSpotArgument(const char *text) {
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) p++;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') p++;
    // Past 2^31 every further digit only confirms the clamp.
    std::int64_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; p++)
        if (magnitude <= INT32_MAX + 1LL) magnitude = magnitude * 10 + (*p - '0');
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

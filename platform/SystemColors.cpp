#include "platform/SystemColors.h"

namespace {

constexpr quint32 kMaxRGB = 0x00FFFFFF;
constexpr int kUnusedSystemColor = 25;

}  // namespace

int SystemColorNumber(quint32 Color) {
    if (!IsSystemColor(Color)) return -1;
    const int number = int(Color & 0xFFu);
    return number < kSystemColorCount && number != kUnusedSystemColor ? number : -1;
}

quint32 ResolveColor(quint32 Color, const TSystemColorTable& Table, quint32 Fallback) {
    if (Color <= kMaxRGB) return Color;
    const int number = SystemColorNumber(Color);
    if (number < 0) return Fallback;
    const quint32 value = Table[size_t(number)];
    return value <= kMaxRGB ? value : Fallback;
}

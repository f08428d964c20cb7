#pragma once

#include <QtGlobal>
#include <array>
#include <cstddef>

class THighlighterAttributes;

// A value per highlighter attribute, found by the attribute's address: exports look up a
// token's attribute at almost every token, and a highlighter has a few dozen attributes at
// most. Open addressing over 64 slots; the addresses, regularly spaced in memory, are mixed
// first.
template <class T>
class TAttributeTable {
public:
    void Clear() {
        fSlots.fill({});
        fUsed = 0;
    }

    // The value of Attribute (nullptr included), made by Make() the first time.
    template <class TMake>
    const T& Get(const THighlighterAttributes* Attribute, TMake&& Make) {
        size_t i = size_t((quint64(quintptr(Attribute)) * 0x9E3779B97F4A7C15ull) >> 58);
        for (;;) {
            TSlot& slot = fSlots[i];
            if (slot.Used && slot.Attribute == Attribute) return slot.Value;
            if (!slot.Used) {
                // A full table (never, for the attributes of one highlighter) keeps no more.
                if (fUsed == kSlots - 1) {
                    fSpare = Make();
                    return fSpare;
                }
                ++fUsed;
                slot = {Attribute, Make(), true};
                return slot.Value;
            }
            i = (i + 1) % kSlots;
        }
    }

private:
    static constexpr size_t kSlots = 64;
    struct TSlot {
        const THighlighterAttributes* Attribute = nullptr;
        T Value{};
        bool Used = false;
    };
    std::array<TSlot, kSlots> fSlots{};
    size_t fUsed = 0;
    T fSpare{};
};

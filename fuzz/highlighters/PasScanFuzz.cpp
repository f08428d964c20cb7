// The Pascal scanner on arbitrary lines, at every language level.
#include "fuzz/highlighters/HighlighterFuzzHarness.h"
#include "highlighters/HighlighterPas.h"

namespace {

void Configure(TPasHighlighter& h, uint8_t options) {
    h.SetLanguageLevel(quint8(options % 9));
    h.SetPackageSource((options & 0x40) != 0);
}

TCodeEditRange ValidRange(TCodeEditRange range) {
    return range >= TPasHighlighter::rsANil && range <= TPasHighlighter::rsUnKnown
               ? range
               : TPasHighlighter::rsUnKnown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::FuzzScan<TPasHighlighter>(data, size, Configure, ValidRange);
}

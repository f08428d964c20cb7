// The C++ scanner on arbitrary lines, in both preprocessor styles.
#include "fuzz/highlighters/HighlighterFuzzHarness.h"
#include "highlighters/HighlighterCpp.h"

namespace {

void Configure(TCppHighlighter& h, uint8_t options) {
    h.SetNewPreprocesorStyle((options & 1) != 0);
}

TCodeEditRange ValidRange(TCodeEditRange range) {
    return range >= TCppHighlighter::rsUnknown && range <= TCppHighlighter::rsMultiLineDirective
               ? range
               : TCppHighlighter::rsUnknown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::FuzzScan<TCppHighlighter>(data, size, Configure, ValidRange);
}

// Every highlighter of the registry on arbitrary lines, in every variant of its options.
// With MARROWPAD_FUZZ_LANG=N (a highlighter choice) only that language is fuzzed, so a run
// can use its dictionary and seeds; without it every input goes through all languages.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "fuzz/highlighters/HighlighterFuzzHarness.h"
#include "highlighters/HighlighterRegistry.h"

namespace {

struct TFuzzedLanguage {
    const THighlighterEntry* Entry;
    std::unique_ptr<TCustomHighlighter> Highlighter;  // built once: construction is not tested
};

std::vector<TFuzzedLanguage>& Languages() {
    static std::vector<TFuzzedLanguage> languages;
    return languages;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* chosen = std::getenv("MARROWPAD_FUZZ_LANG");
    for (const THighlighterEntry& entry : HighlighterRegistry())
        if (!chosen || std::atoi(chosen) == entry.Choice)
            Languages().push_back({&entry, entry.Create()});
    if (Languages().empty()) {
        std::fprintf(stderr, "MARROWPAD_FUZZ_LANG=%s names no highlighter\n", chosen);
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (TFuzzedLanguage& language : Languages())
        fuzz::FuzzScan(*language.Highlighter, language.Entry->SetOptions, data, size);
    return 0;
}

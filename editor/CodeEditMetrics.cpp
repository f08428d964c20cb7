#include "editor/CodeEditMetrics.h"

#include <algorithm>

int TCodeEditMetrics::LinesInWindow(QSize TextArea) const {
    const int height = TextHeight();
    return height > 0 ? std::max(0, TextArea.height()) / height : 0;
}

int TCodeEditMetrics::CharsInWindow(QSize TextArea) const {
    const int width = CharWidth();
    return width > 0 ? std::max(0, TextArea.width()) / width : 0;
}

bool TFixedCellMetrics::IsWide(char16_t Unit) {
    return (Unit >= 0x1100 && Unit <= 0x115F) || (Unit >= 0x2E80 && Unit <= 0x303E) ||
           (Unit >= 0x3041 && Unit <= 0x33FF) || (Unit >= 0x3400 && Unit <= 0x4DBF) ||
           (Unit >= 0x4E00 && Unit <= 0x9FFF) || (Unit >= 0xA000 && Unit <= 0xA4CF) ||
           (Unit >= 0xAC00 && Unit <= 0xD7A3) || (Unit >= 0xF900 && Unit <= 0xFAFF) ||
           (Unit >= 0xFE30 && Unit <= 0xFE4F) || (Unit >= 0xFF00 && Unit <= 0xFF60) ||
           (Unit >= 0xFFE0 && Unit <= 0xFFE6);
}

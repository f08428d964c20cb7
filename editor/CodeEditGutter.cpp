#include "editor/CodeEditGutter.h"

#include <QFontDatabase>
#include <algorithm>

namespace {

int DecimalDigits(qsizetype Value) {
    int digits = 1;
    for (Value = Value < 0 ? -Value : Value; Value >= 10; Value /= 10)
        ++digits;
    return digits;
}

// Every digit count the gutter accepts: more would only push the text out of the window.
constexpr int kMaxDigits = 20;

}  // namespace

TGutter::TGutter() {
    fFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fFont.setPointSize(8);
}

template <class T>
void TGutter::Change(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
}

void TGutter::SetFont(const QFont& Value) {
    Change(fFont, Value);
}
void TGutter::SetFontColor(quint32 Value) {
    Change(fFontColor, Value);
}
void TGutter::SetUseFontStyle(bool Value) {
    Change(fUseFontStyle, Value);
}
void TGutter::SetColor(quint32 Value) {
    Change(fColor, Value);
}
void TGutter::SetVisible(bool Value) {
    Change(fVisible, Value);
}
void TGutter::SetWidth(int Value) {
    Change(fWidth, std::max(Value, 0));
}
void TGutter::SetLeftOffset(int Value) {
    Change(fLeftOffset, std::max(Value, 0));
}
void TGutter::SetRightOffset(int Value) {
    Change(fRightOffset, std::max(Value, 0));
}
void TGutter::SetRightMargin(int Value) {
    Change(fRightMargin, std::max(Value, 0));
}
void TGutter::SetDigitCount(int Value) {
    Value = std::clamp(Value, 1, kMaxDigits);
    if (Value == fDigitCount) return;
    fDigitCount = Value;
    // Without AutoSize the digits in use are simply the minimum.
    if (!fAutoSize || !fShowLineNumbers) fAutoSizeDigitCount = Value;
    if (OnChange) OnChange(this);
}
void TGutter::SetAutoSize(bool Value) {
    Change(fAutoSize, Value);
}
void TGutter::SetShowLineNumbers(bool Value) {
    Change(fShowLineNumbers, Value);
}
void TGutter::SetLeadingZeros(bool Value) {
    Change(fLeadingZeros, Value);
}
void TGutter::SetZeroStart(bool Value) {
    Change(fZeroStart, Value);
}
void TGutter::SetLineNumberStart(int Value) {
    Change(fLineNumberStart, std::max(Value, 0));
}
void TGutter::SetBorderStyle(TGutterBorderStyle Value) {
    Change(fBorderStyle, Value);
}
void TGutter::SetBorderColor(quint32 Value) {
    Change(fBorderColor, Value);
}
void TGutter::SetGradient(bool Value) {
    Change(fGradient, Value);
}
void TGutter::SetGradientStartColor(quint32 Value) {
    Change(fGradientStartColor, Value);
}
void TGutter::SetGradientEndColor(quint32 Value) {
    Change(fGradientEndColor, Value);
}
void TGutter::SetGradientSteps(int Value) {
    Change(fGradientSteps, std::clamp(Value, 2, 256));
}
void TGutter::SetWordWrapGlyphVisible(bool Value) {
    Change(fWordWrapGlyphVisible, Value);
}

int TGutter::RealGutterWidth(int CharWidth) const {
    if (!fVisible) return 0;
    if (fShowLineNumbers)
        return fLeftOffset + fRightOffset + CharWidth * fAutoSizeDigitCount + fRightMargin;
    if (fAutoSize) return fLeftOffset + fRightOffset + fRightMargin;
    return fWidth;
}

void TGutter::AutoSizeDigitCount(qsizetype LinesCount) {
    int digits = fDigitCount;
    if (fVisible && fAutoSize && fShowLineNumbers) {
        qsizetype last = LinesCount;
        if (fZeroStart)
            --last;
        else if (fLineNumberStart > 1)
            last += fLineNumberStart - 1;
        digits = std::clamp(DecimalDigits(last), fDigitCount, kMaxDigits);
    }
    if (digits == fAutoSizeDigitCount) return;
    fAutoSizeDigitCount = digits;
    if (OnChange) OnChange(this);
}

QString TGutter::FormatLineNumber(qsizetype Line) const {
    qsizetype number = Line;
    if (fZeroStart)
        number = Line - 1;
    else if (fLineNumberStart > 1)
        number = Line + fLineNumberStart - 1;
    QString text = QString::number(number);
    const int width = fAutoSizeDigitCount;
    if (text.size() < width)
        text.prepend(QString(width - text.size(), fLeadingZeros ? u'0' : u' '));
    return text;
}

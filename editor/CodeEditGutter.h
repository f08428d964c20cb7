#pragma once

#include <QFont>
#include <QString>
#include <functional>

#include "platform/SystemColors.h"

enum TGutterBorderStyle : quint8 { gbsNone, gbsMiddle, gbsRight };

// The strip left of the text: line numbers, its colours and its geometry. Every setter stores
// the value and raises OnChange (when it differs), on which the editor works out the gutter's
// width again and repaints.
class TGutter {
public:
    using TChangeEvent = std::function<void(TGutter* Sender)>;

    TGutter();

    const QFont& Font() const { return fFont; }
    void SetFont(const QFont& Value);
    quint32 FontColor() const { return fFontColor; }  // the colour of the numbers
    void SetFontColor(quint32 Value);
    bool UseFontStyle() const { return fUseFontStyle; }
    void SetUseFontStyle(bool Value);
    quint32 Color() const { return fColor; }
    void SetColor(quint32 Value);
    bool Visible() const { return fVisible; }
    void SetVisible(bool Value);
    int Width() const { return fWidth; }
    void SetWidth(int Value);
    int LeftOffset() const { return fLeftOffset; }
    void SetLeftOffset(int Value);
    int RightOffset() const { return fRightOffset; }
    void SetRightOffset(int Value);
    int RightMargin() const { return fRightMargin; }
    void SetRightMargin(int Value);
    int DigitCount() const { return fDigitCount; }
    void SetDigitCount(int Value);
    int AutoSizeDigitCount() const { return fAutoSizeDigitCount; }
    bool AutoSize() const { return fAutoSize; }
    void SetAutoSize(bool Value);
    bool ShowLineNumbers() const { return fShowLineNumbers; }
    void SetShowLineNumbers(bool Value);
    bool LeadingZeros() const { return fLeadingZeros; }
    void SetLeadingZeros(bool Value);
    bool ZeroStart() const { return fZeroStart; }
    void SetZeroStart(bool Value);
    int LineNumberStart() const { return fLineNumberStart; }
    void SetLineNumberStart(int Value);
    TGutterBorderStyle BorderStyle() const { return fBorderStyle; }
    void SetBorderStyle(TGutterBorderStyle Value);
    quint32 BorderColor() const { return fBorderColor; }
    void SetBorderColor(quint32 Value);
    bool Gradient() const { return fGradient; }
    void SetGradient(bool Value);
    quint32 GradientStartColor() const { return fGradientStartColor; }
    void SetGradientStartColor(quint32 Value);
    quint32 GradientEndColor() const { return fGradientEndColor; }
    void SetGradientEndColor(quint32 Value);
    int GradientSteps() const { return fGradientSteps; }
    void SetGradientSteps(int Value);
    // The bent arrow on the continuation rows of wrapped lines.
    bool WordWrapGlyphVisible() const { return fWordWrapGlyphVisible; }
    void SetWordWrapGlyphVisible(bool Value);

    // The gutter's width in pixels for a number cell of CharWidth pixels.
    int RealGutterWidth(int CharWidth) const;
    // Works out the digits in use for a text of LinesCount lines; raises OnChange when they
    // change.
    void AutoSizeDigitCount(qsizetype LinesCount);
    // The number shown for buffer line Line (1-based), padded to the digits in use.
    QString FormatLineNumber(qsizetype Line) const;

    TChangeEvent OnChange;

private:
    template <class T>
    void Change(T& Field, T Value);

    QFont fFont;
    quint32 fFontColor = 0xFF000008;  // window text
    bool fUseFontStyle = true;
    quint32 fColor = 0xFF00000F;  // button face
    bool fVisible = true;
    int fWidth = 30;
    int fLeftOffset = 16;
    int fRightOffset = 2;
    int fRightMargin = 2;
    int fDigitCount = 4;
    int fAutoSizeDigitCount = 4;
    bool fAutoSize = false;
    bool fShowLineNumbers = false;
    bool fLeadingZeros = false;
    bool fZeroStart = false;
    int fLineNumberStart = 1;
    TGutterBorderStyle fBorderStyle = gbsMiddle;
    quint32 fBorderColor = 0xFF000005;  // window
    bool fGradient = false;
    quint32 fGradientStartColor = 0xFF000005;
    quint32 fGradientEndColor = 0xFF00000F;
    int fGradientSteps = 48;
    bool fWordWrapGlyphVisible = true;
};

#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

class TExIniFile;

// Colours are 0x00BBGGRR values; 0xFF0000nn names system colour nn.
inline constexpr quint32 kHighlighterNoColor = 0x1FFFFFFF;  // the editor's own colour

// Font style bits of an attribute.
enum THighlighterStyleBit : quint8 { hsBold = 1, hsItalic = 2, hsUnderline = 4, hsStrikeOut = 8 };
inline constexpr quint8 kHighlighterStyleMask = 0x0F;

// How one class of tokens is painted: colours and font style, with the values the highlighter
// gave it at construction kept as defaults.
class THighlighterAttributes {
public:
    using TChangeEvent = std::function<void(THighlighterAttributes* Sender)>;

    THighlighterAttributes(QString AName, QString AFriendlyName);
    THighlighterAttributes(const THighlighterAttributes&) = delete;
    THighlighterAttributes& operator=(const THighlighterAttributes&) = delete;

    quint32 Background() const noexcept { return fBackground; }
    void SetBackground(quint32 Value);
    quint32 Foreground() const noexcept { return fForeground; }
    void SetForeground(quint32 Value);
    // Both colours with one notification.
    void SetColors(quint32 Foreground, quint32 Background);
    quint8 Style() const noexcept { return fStyle; }
    // Bits outside the four styles are dropped.
    void SetStyle(quint8 Value);
    qint32 IntegerStyle() const noexcept { return fStyle; }
    void SetIntegerStyle(qint32 Value) { SetStyle(quint8(Value & kHighlighterStyleMask)); }

    const QString& Name() const noexcept { return fName; }
    const QString& FriendlyName() const noexcept { return fFriendlyName; }
    void SetFriendlyName(const QString& Value) { fFriendlyName = Value; }

    quint32 BackgroundDefault() const noexcept { return fBackgroundDefault; }
    quint32 ForegroundDefault() const noexcept { return fForegroundDefault; }
    quint8 StyleDefault() const noexcept { return fStyleDefault; }
    // A value counts as stored only when it differs from its default.
    bool BackgroundStored() const noexcept { return fBackground != fBackgroundDefault; }
    bool ForegroundStored() const noexcept { return fForeground != fForegroundDefault; }
    bool StyleStored() const noexcept { return fStyle != fStyleDefault; }
    // Takes the current values as the defaults; called once construction is complete.
    void InternalSaveDefaultValues();
    // Puts colours and style back to their defaults, with one notification.
    void SetToDefaults();

    // Colours and style of Source, one notification when anything differed.
    void AssignColorAndStyle(const THighlighterAttributes& Source);
    // As above, and the stored name too.
    void Assign(const THighlighterAttributes& Source);

    // One section named after the attribute, integer keys "Background", "Foreground" and
    // "Style". Loading reads only the keys present and tells whether the section existed.
    bool LoadFromIniFile(const TExIniFile& Ini);
    void SaveToIniFile(TExIniFile& Ini) const;

    TChangeEvent OnChange;

private:
    void Changed();

    quint32 fBackground = kHighlighterNoColor;
    quint32 fBackgroundDefault = kHighlighterNoColor;
    quint32 fForeground = kHighlighterNoColor;
    quint32 fForegroundDefault = kHighlighterNoColor;
    QString fFriendlyName;
    QString fName;
    quint8 fStyle = 0;
    quint8 fStyleDefault = 0;
};

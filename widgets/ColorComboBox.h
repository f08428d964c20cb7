#pragma once

#include <QComboBox>

class QPainter;

// A drop-down list of 16 named colours, each drawn with a swatch; the chosen colour is a
// 0x00BBGGRR value. A colour outside the 16 can be shown as one extra "Custom" entry.
class TCustomColorComboBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kPaletteCount = 16;
    static constexpr int kMinBoxWidth = 25;

    explicit TCustomColorComboBox(QWidget* parent = nullptr);

    // The palette's colour names and values, in list order.
    static QString ColorName(int index);
    static quint32 PaletteColor(int index);

    // The selected item's colour; 0 (black) when none is selected.
    quint32 SelectedColor() const;
    // Selects the first item of that colour; a colour no item has changes nothing.
    void SetSelectedColor(quint32 value);
    // Selects a palette colour, or shows any other colour as the "Custom" entry and selects
    // that, so a colour from elsewhere survives the control untouched.
    void ShowColor(quint32 value);

    bool ShowColorNames() const { return fShowColorNames; }
    void SetShowColorNames(bool value);

    // The width of the swatch area in the control's width: what the names leave, at least
    // kMinBoxWidth; all of it but a pixel without names.
    int BoxWidth() const { return BoxWidthIn(width()); }
    int BoxWidthIn(int width) const;
    // Draws item `index` (below 0: none, drawn as black) into rect r.
    void DrawItem(QPainter& painter, const QRect& r, int index, bool selected) const;

    // Room for the longest name and a swatch of the least width.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Fill();
    void RemoveCustom();

    bool fShowColorNames = true;
    // The widest name and an "X" in the control's font; 0 or less: measure it again before the
    // next item is drawn.
    mutable int fNamesWidth = 0;
};

class TColorComboBox : public TCustomColorComboBox {
    Q_OBJECT
public:
    using TCustomColorComboBox::TCustomColorComboBox;
};

#pragma once

#include <QtGlobal>

// The window is laid out for 96 pixels per inch; every fixed pixel size and font size of it
// passes through one of these, so the whole window follows a change of scale.
class TWindowScale {
public:
    static constexpr int kDesignPpi = 96;
    static constexpr int kMinPpi = 48;
    static constexpr int kMaxPpi = 480;

    // A value outside kMinPpi..kMaxPpi is damage, not a scale: it counts as 100 %.
    static int Normalized(int ppi) { return ppi < kMinPpi || ppi > kMaxPpi ? kDesignPpi : ppi; }

    explicit TWindowScale(int ppi = kDesignPpi) : fPpi(Normalized(ppi)) {}
    int Ppi() const { return fPpi; }

    // A length laid out for 96 pixels per inch, at this scale.
    int Px(int designPx) const {
        return int((qint64(designPx) * fPpi + (designPx >= 0 ? kDesignPpi / 2 : -kDesignPpi / 2)) /
                   kDesignPpi);
    }
    // A font size in points, at this scale.
    qreal Points(qreal designPoints) const { return designPoints * fPpi / kDesignPpi; }
    // The 96-pixels-per-inch length of what is shown as px. When px is still what `previous`
    // scales to, `previous` itself comes back, so a length saved and applied over and over at
    // any scale never drifts.
    int Unscale(int px, int previous) const {
        if (Px(previous) == px) return previous;
        return int((qint64(px) * kDesignPpi + (px >= 0 ? fPpi / 2 : -fPpi / 2)) / fPpi);
    }

private:
    int fPpi;
};

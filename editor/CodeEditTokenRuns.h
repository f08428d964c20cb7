#pragma once

#include <QtGlobal>
#include <algorithm>

#include "highlighters/CodeEditHighlighter.h"

// The look a token is shown in. Painting compares the colour values as the attributes keep
// them; the exporter compares them after resolving "none" and system colours.
struct TTokenLook {
    quint32 Foreground = 0;
    quint32 Background = 0;
    quint8 Style = 0;
    friend bool operator==(const TTokenLook&, const TTokenLook&) = default;
};

// Adjacent tokens of one look: [Start, End) in the positions of the line the highlighter
// scans (its expanded line when it has one). Attribute is that of the run's first token.
struct TTokenRun {
    qint32 Start = 0;
    qint32 End = 0;
    const THighlighterAttributes* Attribute = nullptr;
    TTokenLook Look;
};

// Walks the tokens of the line the highlighter has been given, from its current token on,
// and hands OnRun each run of equal look once its end is known. LookOf(attribute, or nullptr
// for a token without one) is asked only when the attribute changes: a long line has many
// tokens but few attributes.
// The walk stops before the first token that starts at or past Limit; the last run ends
// there, or at LineEnd when the walk reaches the end of the line. Returns where it stopped.
template <class TLookOf, class TOnRun>
qint32 WalkTokenRuns(TCustomHighlighter& Highlighter, qint32 LineEnd, qint32 Limit,
                     TLookOf&& LookOf, TOnRun&& OnRun) {
    TTokenRun run;
    bool open = false;
    const THighlighterAttributes* lastAttr = nullptr;
    qint32 stop = LineEnd;
    while (!Highlighter.GetEol()) {
        const qint32 start = Highlighter.GetExpandedTokenPos();
        if (start >= Limit) {
            stop = start;
            break;
        }
        const THighlighterAttributes* attr = Highlighter.GetTokenAttribute();
        Highlighter.Next();
        if (open && attr == lastAttr) continue;
        lastAttr = attr;
        const TTokenLook look = LookOf(attr);
        if (open) {
            if (look == run.Look) continue;
            run.End = start;
            OnRun(run);
        }
        run = {start, start, attr, look};
        open = true;
    }
    if (open) {
        run.End = std::max(run.Start, std::min(stop, LineEnd));
        OnRun(run);
    }
    return stop;
}

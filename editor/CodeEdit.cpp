#include "editor/CodeEdit.h"

#include <QFontDatabase>
#include <algorithm>

#include "editor/CodeEditPaintCache.h"

namespace {

// The first installed monospace face of a short list, at 10 points.
QFont EditorFont() {
    const QStringList families = QFontDatabase::families();
    for (const char* name : {"DejaVu Sans Mono", "Noto Sans Mono CJK JP"}) {
        const QString family = QString::fromLatin1(name);
        if (families.contains(family)) return QFont(family, 10);
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    return font;
}

}  // namespace

TCustomCodeEdit::TCustomCodeEdit(QWidget* Parent)
    : QAbstractScrollArea(Parent), fPaintCache(std::make_unique<TCodeEditPaintCache>()) {
    setFont(EditorFont());
    auto metrics = std::make_unique<TFontCodeEditMetrics>(font());
    fFontMetrics = metrics.get();
    fModel.SetMetrics(std::move(metrics));
    fModel.SetView(this, this);
    fViewAttached = true;
    QFont gutterFont = font();
    gutterFont.setPointSize(8);
    fGutter.SetFont(gutterFont);
    fGutter.OnChange = [this](TGutter*) { GutterChanged(); };
    fSelectedColor.OnChange = [this](TSelectedColor*) {
        if (SelAvail()) Invalidate();
    };

    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    // Painting covers every pixel of the viewport, so Qt need not clear it first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    GutterChanged();
    fModel.UpdateScrollBars();
}

TCustomCodeEdit::~TCustomCodeEdit() {
    // The model outlives the widget's parts by a moment: nothing of ours may be reached.
    fModel.SetView(nullptr, nullptr);
}

void TCustomCodeEdit::SetMetrics(std::unique_ptr<TCodeEditMetrics> Value) {
    if (!Value) return;
    fFontMetrics = dynamic_cast<TFontCodeEditMetrics*>(Value.get());
    fModel.SetMetrics(std::move(Value));
}

// ---------------------------------------------------------------- colours

void TCustomCodeEdit::SetColor(quint32 Value) {
    if (Value == fColor) return;
    fColor = Value;
    Invalidate();
}

void TCustomCodeEdit::SetFontColor(quint32 Value) {
    if (Value == fFontColor) return;
    fFontColor = Value;
    Invalidate();
}

void TCustomCodeEdit::SetActiveLineColor(quint32 Value) {
    if (Value == fActiveLineColor) return;
    fActiveLineColor = Value;
    InvalidateLines(CaretY(), CaretY());
}

void TCustomCodeEdit::SetRightEdge(int Value) {
    Value = std::max(Value, 0);
    if (Value == fRightEdge) return;
    fRightEdge = Value;
    Invalidate();
}

void TCustomCodeEdit::SetRightEdgeColor(quint32 Value) {
    if (Value == fRightEdgeColor) return;
    fRightEdgeColor = Value;
    if (fRightEdge > 0) Invalidate();
}

// The clipboard: the selected text as plain text, plus one byte naming the selection mode
// under a format of our own, so that a column or line block pastes back as one. A copy with
// a highlighter attached also offers the selection as coloured HTML.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include "editor/CodeEdit.h"
#include "editor/CodeEditExportHTML.h"
#include "editor/CodeEditTextBuffer.h"
#include "platform/PaletteColors.h"

namespace {

QClipboard* Clipboard() {
    return QGuiApplication::clipboard();
}

}  // namespace

QMimeData* TCustomCodeEdit::CreateSelectionMimeData() const {
    auto* data = new QMimeData;
    data->setText(SelText());
    data->setData(QString::fromLatin1(kCodeEditModeMimeType),
                  QByteArray(1, static_cast<char>(fActiveSelectionMode)));
    return data;
}

QMimeData* TCustomCodeEdit::CreateClipboardMimeData() const {
    QMimeData* data = CreateSelectionMimeData();
    if (fHighlighter) {
        const QByteArray html = SelectionAsHTML();
        if (!html.isEmpty()) data->setData(QStringLiteral("text/html"), html);
    }
    return data;
}

void TCustomCodeEdit::ConfigureExporter(TCustomExporter& Exporter) const {
    Exporter.SetSystemColors(SystemColorsOf(palette()));
    TExporterFont exportFont;
    exportFont.Name = font().family();
    exportFont.Size = font().pointSize();
    if (fFontColor != kColorNone) exportFont.Color = fFontColor;
    Exporter.SetFont(exportFont);
    if (fColor != kColorNone) Exporter.SetBackgroundColor(fColor);
    Exporter.SetUseBackground(true);
    Exporter.SetHighlighter(fHighlighter);
}

// The selection as a stream range, in the colours it has on screen.
QByteArray TCustomCodeEdit::SelectionAsHTML() const {
    TExporterHTML exporter;
    ConfigureExporter(exporter);
    exporter.ExportRange(*fLines, BlockBegin(), BlockEnd());
    return exporter.HTMLDocument();
}

void TCustomCodeEdit::CopyToClipboard() {
    if (!SelAvail()) return;
    if (QClipboard* clipboard = Clipboard()) clipboard->setMimeData(CreateClipboardMimeData());
}

void TCustomCodeEdit::CutToClipboard() {
    if (fReadOnly || !SelAvail()) return;
    CopyToClipboard();
    TPaintLock lock(*this);
    TTrimPause pause(*this);
    DeleteSelection(crDelete);
}

bool TCustomCodeEdit::CanPaste() const {
    if (fReadOnly) return false;
    const QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasText();
}

void TCustomCodeEdit::PasteFromClipboard() {
    if (fReadOnly) return;
    const QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasText()) return;
    PasteText(data->text(), ModeOf(data, fSelectionMode));
}

TSelectionMode TCustomCodeEdit::ModeOf(const QMimeData* Data, TSelectionMode Default) {
    const QString format = QString::fromLatin1(kCodeEditModeMimeType);
    if (!Data || !Data->hasFormat(format)) return Default;
    // Only a well-formed mode byte counts; anything else pastes in the editor's own mode.
    const QByteArray bytes = Data->data(format);
    if (bytes.size() == 1 && static_cast<quint8>(bytes[0]) <= smColumn)
        return static_cast<TSelectionMode>(static_cast<quint8>(bytes[0]));
    return Default;
}

// The X11 primary selection follows the selected text, as Linux users expect: what is
// selected can be pasted elsewhere with the middle button.
void TCustomCodeEdit::CopyToPrimarySelection() {
    QClipboard* clipboard = Clipboard();
    if (!clipboard || !clipboard->supportsSelection() || !SelAvail()) return;
    clipboard->setMimeData(CreateSelectionMimeData(), QClipboard::Selection);
}

// Selections change at every step of a drag or a Shift+arrow: the copy is made once they
// pause.
void TCustomCodeEdit::QueuePrimarySelection() {
    if (fPrimaryQueued) return;
    const QClipboard* clipboard = Clipboard();
    if (!clipboard || !clipboard->supportsSelection()) return;
    fPrimaryQueued = true;
    QTimer::singleShot(0, this, [this] {
        fPrimaryQueued = false;
        CopyToPrimarySelection();
    });
}

void TCustomCodeEdit::PasteText(const QString& Value, TSelectionMode Mode) {
    TPaintLock lock(*this);
    TUndoBlock block(*fUndoList);
    Record(crPasteBegin, fCaret, fCaret);
    SetSelTextPrimitive(Mode, Value);
    Record(crPasteEnd, fCaret, fCaret);
    EnsureCursorPosVisible();
    StatusChanged(scSelection);
}

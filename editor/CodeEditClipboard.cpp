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
                  QByteArray(1, static_cast<char>(ActiveSelectionMode())));
    return data;
}

QMimeData* TCustomCodeEdit::CreateClipboardMimeData() const {
    QMimeData* data = CreateSelectionMimeData();
    if (Highlighter()) {
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
    Exporter.SetHighlighter(Highlighter());
}

// The selection as a stream range, in the colours it has on screen.
QByteArray TCustomCodeEdit::SelectionAsHTML() const {
    TExporterHTML exporter;
    ConfigureExporter(exporter);
    exporter.ExportRange(Lines(), BlockBegin(), BlockEnd());
    return exporter.HTMLDocument();
}

// The clipboard of the model's copy and paste commands.
void TCustomCodeEdit::SetClipboard(const QString&, TSelectionMode) {
    // The text and mode are those of the selection, which the mime data is made from.
    if (QClipboard* clipboard = Clipboard()) clipboard->setMimeData(CreateClipboardMimeData());
}

bool TCustomCodeEdit::ClipboardText(QString* Text, TSelectionMode& Mode) const {
    const QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasText()) return false;
    if (Text) *Text = data->text();
    Mode = ModeOf(data, Mode);
    return true;
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

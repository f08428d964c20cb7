#pragma once

#include <QByteArray>
#include <QStringView>

#include "editor/CodeEditExport.h"

// Writes the range as HTML: one span per run of equal look, classed after the run's first
// attribute, with a style sheet in the head that gives every attribute of the highlighter its
// colours. As a fragment (the clipboard's form) the document is preceded by a description of
// where the document and the fragment lie in the bytes.
class TExporterHTML : public TCustomExporter {
public:
    // Length of the description in front of a fragment: where StartHTML points.
    static constexpr qsizetype kDescriptionLength = 105;

    TExporterHTML();

    // The HTML document alone: a fragment's bytes from StartHTML to EndHTML, what Linux
    // programs take as text/html.
    QByteArray HTMLDocument() const;
    // The style sheet of the head: the body's colours, then one rule per attribute of the
    // highlighter, in its attribute order, each line ended by CR LF.
    QByteArray StyleRules() const;
    // The class of an attribute: the export name, 1, a full stop and the attribute's name,
    // lower-cased, with "." and "_" as "-" and every character but a-z, 0-9 and "-" dropped.
    QByteArray AttributeClassName(const THighlighterAttributes& Attribute) const;

    // Text for a title or a heading: & < > " as entities, blanks kept.
    static QByteArray EscapeTitle(QStringView Text);

protected:
    void FormatAttributeInit(const THighlighterAttributes& Attribute) override;
    void FormatAttributeDone() override;
    // Blanks as &nbsp;, and & < > " as entities; everything else as UTF-8.
    void FormatToken(QStringView Token) override;
    void FormatNewLine() override;
    QByteArray GetHeader(qsizetype BodyLength) const override;
    QByteArray GetFooter() const override;

private:
    QByteArray Head() const;
    QByteArray ColorText(quint32 Color) const;

    // The opening tag of each attribute met, for the highlighter they were made for.
    TAttributeTable<QByteArray> fOpenTags;
    const TCustomHighlighter* fTagsHighlighter = nullptr;
};

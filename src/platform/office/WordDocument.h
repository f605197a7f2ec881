#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <variant>

namespace platform::office {

// A word-processor document (.docx, WordprocessingML) into whose body new
// paragraphs and tables go at the start, before whatever the template held.
class WordDocument
{
public:
    struct Paragraph
    {
        QString text; // a TAB stays a tab stop
    };
    struct Table
    {
        QList<QStringList> rows; // every row has the table's column count
    };
    using Block = std::variant<Paragraph, Table>;

    // An empty A4 document whose properties name its author and subject.
    static WordDocument blank(const QString &author = {}, const QString &subject = {});
    // A copy of the .docx file, to be saved under another name. Throws
    // OfficeError for a file that is not a readable document.
    static WordDocument fromTemplate(const QString &fileName);

    // The blocks put in front of the original body, in order.
    const QList<Block> &insertedBlocks() const { return m_blocks; }
    // Puts one paragraph per line (CR LF, CR or LF end a line) before block
    // number `at`; returns the number of the block after them.
    qsizetype insertText(qsizetype at, const QString &text);
    // Turns `count` paragraphs from block `first` on into one table of
    // `columns` columns, split at TABs; a line with more cells continues on
    // the next row, one with fewer is filled up with empty cells.
    void convertToTable(qsizetype first, qsizetype count, int columns);

    // The .docx file. Throws OfficeError.
    QByteArray toBytes() const;

private:
    struct Part
    {
        QString name;
        QByteArray data;
    };

    QList<Part> m_parts;     // in package order, the main part among them
    QString m_mainPart;      // its name
    QString m_bodyNamespace; // WordprocessingML, transitional or strict
    QString m_beforeBody;    // the main part up to the body's first child
    QString m_afterBody;     // the rest
    int m_textWidth = 0;     // twips between the first page's margins
    // A table put right before another would become one table with it.
    bool m_bodyStartsWithParagraph = false;
    QList<Block> m_blocks;
};

} // namespace platform::office

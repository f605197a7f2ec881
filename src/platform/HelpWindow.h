#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

namespace platform {

// The window of the built-in HTML help: one help document, its headings as a
// contents list, its keywords (the document's named anchors) as an index with
// a search box, and the page itself.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Reads an HTML document; false (and nothing shown) when it cannot be read.
    bool load(const QString &file);
    QString file() const { return m_file; }

    // The contents list, the page from its top.
    void showContents();
    // A named anchor, else the heading of that text; false when neither exists.
    bool showTopic(const QString &topic);
    // The index entry, else the first entry starting with the keyword, else the
    // first place in the text that contains it; false when none does.
    bool showKeyword(const QString &keyword);

    // The text of the line at the top of the page, where a jump puts its target.
    QString topLine() const;

private:
    void buildContents();
    void buildIndex();
    void scrollToPosition(int position);
    void markChapter(int position);
    bool showIndexEntry(const QString &keyword);
    void filterIndex(const QString &text);

    QString m_file;
    // Every named anchor, case-folded, with its place in the document.
    QHash<QString, int> m_anchors;
    QTabWidget *m_tabs;
    QTreeWidget *m_contents;
    QLineEdit *m_search;
    QListWidget *m_index;
    QTextBrowser *m_page;
};

} // namespace platform

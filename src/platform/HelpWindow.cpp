#include "platform/HelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QCollator>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

constexpr int PositionRole = Qt::UserRole;

bool isNumber(const QString &text)
{
    bool ok = false;
    text.toInt(&ok);
    return ok;
}

} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_tabs(new QTabWidget)
    , m_contents(new QTreeWidget)
    , m_search(new QLineEdit)
    , m_index(new QListWidget)
    , m_page(new QTextBrowser)
{
    setObjectName(QStringLiteral("HelpWindow"));
    // An open help page must not keep the program alive once the main window
    // has closed; the help's shut-down closes it then.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(970, 660);

    m_contents->setHeaderHidden(true);
    m_contents->setIndentation(12);
    // A chapter title is never cut to "…": the list is wide enough for the
    // help's own titles, and scrolls sideways for longer ones.
    m_contents->setTextElideMode(Qt::ElideNone);
    m_contents->header()->setStretchLastSection(false);
    m_contents->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_contents->setObjectName(QStringLiteral("contents"));
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(QStringLiteral("Stichwort suchen"));
    m_search->setClearButtonEnabled(true);
    m_index->setObjectName(QStringLiteral("index"));
    m_page->setObjectName(QStringLiteral("page"));
    m_page->setOpenExternalLinks(true);

    auto *indexPage = new QWidget;
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(4, 4, 4, 4);
    indexLayout->addWidget(m_search);
    indexLayout->addWidget(m_index);
    m_tabs->addTab(m_contents, QStringLiteral("Inhalt"));
    m_tabs->addTab(indexPage, QStringLiteral("Index"));

    auto *splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({330, 640});
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(m_contents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        scrollToPosition(item->data(0, PositionRole).toInt());
    });
    const auto showEntry = [this](QListWidgetItem *item) {
        scrollToPosition(item->data(PositionRole).toInt());
    };
    connect(m_index, &QListWidget::itemClicked, this, showEntry);
    connect(m_index, &QListWidget::itemActivated, this, showEntry);
    connect(m_search, &QLineEdit::textEdited, this, &HelpWindow::filterIndex);
    connect(m_search, &QLineEdit::returnPressed, this, [this] { showKeyword(m_search->text()); });
}

bool HelpWindow::load(const QString &file)
{
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable() || info.size() == 0)
        return false;
    m_file = info.absoluteFilePath();
    // Through the file's URL, so pictures beside it and links inside it resolve.
    m_page->setSource(QUrl::fromLocalFile(m_file), QTextDocument::HtmlResource);
    if (m_page->document()->isEmpty())
        return false;
    const QString title = m_page->documentTitle();
    setWindowTitle(title.isEmpty() ? info.fileName() : title);
    buildContents();
    buildIndex();
    return true;
}

void HelpWindow::buildContents()
{
    m_contents->clear();
    // The latest item of each heading level, so deeper headings nest below it.
    std::vector<QTreeWidgetItem *> parents;
    for (QTextBlock block = m_page->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        const QString text = block.text().simplified();
        if (level <= 0 || text.isEmpty())
            continue;
        parents.resize(static_cast<size_t>(level));
        QTreeWidgetItem *parent = nullptr;
        for (int l = level - 2; l >= 0 && !parent; --l)
            parent = parents[static_cast<size_t>(l)];
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_contents);
        item->setText(0, text);
        item->setData(0, PositionRole, block.position());
        parents[static_cast<size_t>(level - 1)] = item;
    }
    m_contents->expandAll();
}

void HelpWindow::buildIndex()
{
    m_index->clear();
    m_anchors.clear();
    std::vector<std::pair<QString, int>> keywords;
    for (QTextBlock block = m_page->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QStringList names = fragment.charFormat().anchorNames();
            for (const QString &name : names) {
                const QString key = name.toCaseFolded();
                if (m_anchors.contains(key))
                    continue;
                m_anchors.insert(key, fragment.position());
                // Numbers are context anchors, not words to look up.
                if (!isNumber(name))
                    keywords.emplace_back(name, fragment.position());
            }
        }
    }
    // In the reader's alphabet, whatever the system's locale: "Überblick"
    // belongs beside "U", not after "Z". The help files are German.
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(keywords.begin(), keywords.end(), [&collator](const auto &a, const auto &b) {
        return collator.compare(a.first, b.first) < 0;
    });
    for (const auto &[name, position] : keywords) {
        auto *item = new QListWidgetItem(name, m_index);
        item->setData(PositionRole, position);
    }
}

void HelpWindow::scrollToPosition(int position)
{
    QTextCursor cursor(m_page->document());
    cursor.setPosition(position);
    m_page->setTextCursor(cursor);
    const QTextBlock block = m_page->document()->findBlock(position);
    const QRectF rect = m_page->document()->documentLayout()->blockBoundingRect(block);
    m_page->verticalScrollBar()->setValue(qRound(rect.top()));
    markChapter(position);
}

void HelpWindow::markChapter(int position)
{
    // The contents entry of the last heading at or before the place.
    QTreeWidgetItem *chapter = nullptr;
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if ((*it)->data(0, PositionRole).toInt() > position)
            break;
        chapter = *it;
    }
    if (chapter)
        m_contents->setCurrentItem(chapter);
}

void HelpWindow::showContents()
{
    m_tabs->setCurrentWidget(m_contents);
    scrollToPosition(0);
}

bool HelpWindow::showTopic(const QString &topic)
{
    const auto anchor = m_anchors.constFind(topic.trimmed().toCaseFolded());
    if (anchor != m_anchors.cend()) {
        scrollToPosition(anchor.value());
        return true;
    }
    const QList<QTreeWidgetItem *> headings =
        m_contents->findItems(topic.trimmed(), Qt::MatchFixedString | Qt::MatchRecursive);
    if (headings.isEmpty())
        return false;
    m_tabs->setCurrentWidget(m_contents);
    scrollToPosition(headings.front()->data(0, PositionRole).toInt());
    return true;
}

bool HelpWindow::showIndexEntry(const QString &keyword)
{
    QListWidgetItem *found = nullptr;
    for (int row = 0; row < m_index->count() && !found; ++row) {
        if (m_index->item(row)->text().compare(keyword, Qt::CaseInsensitive) == 0)
            found = m_index->item(row);
    }
    for (int row = 0; row < m_index->count() && !found; ++row) {
        if (m_index->item(row)->text().startsWith(keyword, Qt::CaseInsensitive))
            found = m_index->item(row);
    }
    if (!found)
        return false;
    m_index->setCurrentItem(found);
    scrollToPosition(found->data(PositionRole).toInt());
    return true;
}

bool HelpWindow::showKeyword(const QString &keyword)
{
    m_tabs->setCurrentIndex(1);
    m_search->setText(keyword);
    filterIndex(keyword);
    const QString wanted = keyword.trimmed();
    if (wanted.isEmpty())
        return false;
    if (showIndexEntry(wanted))
        return true;
    const QTextCursor hit = m_page->document()->find(wanted);
    if (hit.isNull())
        return false;
    scrollToPosition(hit.block().position());
    m_page->setTextCursor(hit);
    return true;
}

void HelpWindow::filterIndex(const QString &text)
{
    const QString wanted = text.trimmed();
    for (int row = 0; row < m_index->count(); ++row) {
        QListWidgetItem *item = m_index->item(row);
        item->setHidden(!item->text().contains(wanted, Qt::CaseInsensitive));
    }
}

QString HelpWindow::topLine() const
{
    return m_page->cursorForPosition(QPoint(4, 4)).block().text().trimmed();
}

} // namespace platform

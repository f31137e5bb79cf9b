#include "platform/ui/ListView.h"

#include "platform/RuntimeError.h"
#include "platform/Twips.h"
#include "platform/ui/InputCodes.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>
#include <climits>
#include <memory>
#include <new>
#include <utility>

namespace platform {

namespace {

// The heading runs across the whole list, as a list's heading does: the room
// past the last column shows as a heading without a caption, not as a gap
// that looks as if the heading stopped short.
class ListHeader : public QHeaderView {
public:
    explicit ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QHeaderView::paintEvent(event);
        const int end = length() - offset();
        if (end >= viewport()->width())
            return;
        QPainter painter(viewport());
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.state |= QStyle::State_Raised;
        option.rect = QRect(end, 0, viewport()->width() - end, viewport()->height());
        option.position = QStyleOptionHeader::End;
        // The style leaves the painter clipped away after a heading.
        painter.save();
        style()->drawControl(QStyle::CE_Header, &option, &painter, this);
        painter.restore();
        // The last column drew itself as the end of the heading, without the
        // divider a column has at its right edge; its last pixels drawn again
        // as a column in the middle gives it that divider.
        if (end > 1) {
            option.rect = QRect(end - 2, 0, 2, viewport()->height());
            option.position = QStyleOptionHeader::Middle;
            style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
        }
    }
};

void checkSubItemIndex(int index) {
    if (index < 1)
        throw RuntimeError::fromNumber(380, QStringLiteral("ListView"));
}

// Texts in code-unit order, as QString's own ordering, but compared in line:
// a sort makes many thousands of comparisons.
bool textLess(const QString& a, const QString& b) {
    const QChar* pa = a.constData();
    const QChar* pb = b.constData();
    const qsizetype n = std::min(a.size(), b.size());
    if (pa != pb)
        for (qsizetype i = 0; i < n; ++i)
            if (pa[i] != pb[i])
                return pa[i].unicode() < pb[i].unicode();
    return a.size() < b.size();
}

} // namespace

// The rows and captions of a ListView, as the view reads them.
class ListModel final : public QAbstractTableModel {
public:
    explicit ListModel(ListView* view) : QAbstractTableModel(view) {}
    ~ListModel() override { deleteRows(m_rows); }

    static void deleteRows(std::vector<ListItem*>& rows) {
        for (ListItem* row : rows)
            row->~ListItem();
        rows.clear();
    }

    // Room for a row. Rows are made in blocks and all go together, when the
    // list is cleared or destroyed: a fill of thousands of rows makes a few
    // allocations rather than one per row.
    void* rowSpace() {
        if (m_rowBlocks.empty() || m_rowsInBlock == kRowsPerBlock) {
            m_rowBlocks.emplace_back(static_cast<ListItem*>(::operator new(sizeof(ListItem) * kRowsPerBlock)));
            m_rowsInBlock = 0;
        }
        return m_rowBlocks.back().get() + m_rowsInBlock++;
    }
    // Once every row made is gone.
    void releaseRowSpace() {
        m_rowBlocks.clear();
        m_rowsInBlock = 0;
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    // The view needs one column to exist at all; with no captions, it is an
    // empty one.
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : std::max<int>(1, static_cast<int>(m_captions.size()));
    }
    QVariant data(const QModelIndex& index, int role) const override {
        ListItem* row = rowAt(index.row());
        return row && index.column() >= 0 ? row->data(index.column(), role) : QVariant();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return m_captions.value(section);
        return QVariant();
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
    }

    const std::vector<ListItem*>& rows() const { return m_rows; }
    ListItem* rowAt(int row) const {
        return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[static_cast<size_t>(row)] : nullptr;
    }
    int captionCount() const { return static_cast<int>(m_captions.size()); }
    QString caption(int column) const { return m_captions.value(column); }

    void clearRows() {
        if (m_rows.empty())
            return;
        // One reset rather than one removal per row; the rows are freed once
        // the view has let go of them.
        beginResetModel();
        std::vector<ListItem*> old;
        old.swap(m_rows);
        endResetModel();
        deleteRows(old);
    }

    void appendRows(std::vector<ListItem*>& rows) {
        const int first = static_cast<int>(m_rows.size());
        beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
        m_rows.insert(m_rows.end(), rows.begin(), rows.end());
        rows.clear();
        renumber(first);
        endInsertRows();
    }

    // Reorders the rows; selection and current row follow their rows.
    void sortRows(int column, bool descending) {
        if (m_rows.size() < 2)
            return;
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const std::vector<ListItem*> before = m_rows;
        ListModel::sortByText(m_rows, column, descending);
        renumber(0);
        const QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex& index : from)
            to.append(index.isValid() ? createIndex(before[static_cast<size_t>(index.row())]->m_row, index.column())
                                      : index);
        changePersistentIndexList(from, to);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

    // Puts rows in order of the case-folded sort text of a column, keeping the
    // order of rows of equal text. Each key is folded once.
    static void sortByText(std::vector<ListItem*>& rows, int column, bool descending) {
        std::vector<std::pair<QString, ListItem*>> keyed;
        keyed.reserve(rows.size());
        for (ListItem* row : rows)
            keyed.emplace_back(row->sortTextAt(column).toCaseFolded(), row);
        if (descending)
            std::stable_sort(keyed.begin(), keyed.end(),
                             [](const auto& a, const auto& b) { return textLess(b.first, a.first); });
        else
            std::stable_sort(keyed.begin(), keyed.end(),
                             [](const auto& a, const auto& b) { return textLess(a.first, b.first); });
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i] = keyed[i].second;
    }

    void clearCaptions() {
        const int shown = columnCount();
        if (shown > 1) {
            // Column 0 stays, so the rows and the selected row stay with it.
            beginRemoveColumns(QModelIndex(), 1, shown - 1);
            m_captions.clear();
            endRemoveColumns();
        } else {
            m_captions.clear();
        }
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    }

    void addCaption(const QString& caption) {
        if (m_captions.isEmpty()) {
            // The one column the view always has takes the first caption.
            m_captions.append(caption);
            emit headerDataChanged(Qt::Horizontal, 0, 0);
            return;
        }
        const int column = static_cast<int>(m_captions.size());
        beginInsertColumns(QModelIndex(), column, column);
        m_captions.append(caption);
        endInsertColumns();
    }

    void rowChanged(const ListItem* row, int firstColumn, int lastColumn) {
        lastColumn = std::min(lastColumn, columnCount() - 1);
        if (row->m_row < 0 || firstColumn > lastColumn)
            return;
        emit dataChanged(index(row->m_row, firstColumn), index(row->m_row, lastColumn));
    }

private:
    void renumber(int from) {
        for (size_t i = static_cast<size_t>(from); i < m_rows.size(); ++i)
            m_rows[i]->m_row = static_cast<int>(i);
    }

    struct FreeBlock {
        void operator()(ListItem* block) const { ::operator delete(block); }
    };
    static constexpr size_t kRowsPerBlock = 256;

    std::vector<ListItem*> m_rows;
    QStringList m_captions;
    // Freed after the destructor has ended every row.
    std::vector<std::unique_ptr<ListItem, FreeBlock>> m_rowBlocks;
    size_t m_rowsInBlock = 0;
};

// --- ListItem ---------------------------------------------------------------

ListItem::ListItem(ListView* owner, const QString& text, int icon, int smallIcon)
    : m_owner(owner), m_icon(icon), m_smallIcon(smallIcon) {
    m_texts.append(text);
}

QString ListItem::Text() const {
    return textAt(0);
}

void ListItem::SetText(const QString& text) {
    setColumnText(0, text);
}

QString ListItem::SubItems(int index) const {
    checkSubItemIndex(index);
    return textAt(index);
}

void ListItem::SetSubItemsLater(int index, QByteArrayView source, TextMaker make) {
    checkSubItemIndex(index);
    makeLaterText(index);
    if (index == m_texts.size())
        m_texts.append(QString());
    else if (index > m_texts.size())
        m_texts.resize(index + 1);
    else
        m_texts[index] = QString();
    const char* kept = source.isNull() ? nullptr : m_owner->keepBytes(source);
    m_later.append(LaterText{index, kept, source.size(), make});
    if (m_row >= 0)
        m_owner->m_model->rowChanged(this, index, index);
}

void ListItem::makeLaterText(int column) const {
    for (qsizetype i = 0; i < m_later.size(); ++i) {
        if (m_later[i].column != column)
            continue;
        const LaterText later = m_later[i];
        m_later.remove(i);
        m_texts[column] = later.make(later.source ? QByteArrayView(later.source, later.size) : QByteArrayView());
        return;
    }
}

const QString& ListItem::textAt(int column) const {
    static const QString none;
    if (column < 0 || column >= m_texts.size())
        return none;
    if (!m_later.isEmpty())
        makeLaterText(column);
    return m_texts[column];
}

void ListItem::SetSortText(int column, const QString& text) {
    if (column < 0)
        return;
    if (column >= m_sortTexts.size())
        m_sortTexts.resize(column + 1);
    m_sortTexts[column] = text;
}

const QString& ListItem::sortTextAt(int column) const {
    if (column < m_sortTexts.size() && !m_sortTexts[column].isNull())
        return m_sortTexts[column];
    return textAt(column);
}

void ListItem::SetSubItems(int index, const QString& text) {
    checkSubItemIndex(index);
    setColumnText(index, text);
}

void ListItem::setColumnText(int column, const QString& text) {
    if (!m_later.isEmpty())
        makeLaterText(column);
    // A fill writes the columns in order, each onto the end of the row.
    if (column == m_texts.size() && !text.isEmpty()) {
        m_texts.append(text);
    } else {
        if (column >= m_texts.size())
            m_texts.resize(column + 1);
        if (m_texts[column] == text)
            return;
        m_texts[column] = text;
    }
    if (m_row >= 0)
        m_owner->m_model->rowChanged(this, column, column);
}

void ListItem::SetBold(bool bold) {
    if (m_bold == bold)
        return;
    m_bold = bold;
    m_owner->m_model->rowChanged(this, 0, INT_MAX);
}

OleColor ListItem::ForeColor() const {
    return m_foreColor ? *m_foreColor : GetSysColor(COLOR_WINDOWTEXT);
}

void ListItem::SetForeColor(OleColor color) {
    m_foreColor = OleTranslateColor(color);
    m_owner->m_model->rowChanged(this, 0, INT_MAX);
}

int ListItem::Index() const {
    m_owner->flushPendingRows();
    return m_row + 1;
}

QVariant ListItem::data(int column, int role) const {
    // Emphasis and icons are kept once per row and read here for every
    // column, so they also apply to columns added after the row.
    switch (role) {
    case Qt::FontRole:
        if (m_bold) {
            QFont font = m_owner->font();
            font.setBold(true);
            return font;
        }
        break;
    case Qt::ForegroundRole:
        if (m_foreColor)
            return QBrush(ToQColor(*m_foreColor));
        break;
    case Qt::DecorationRole:
        if (column == 0 && m_smallIcon > 0) {
            QIcon icon = m_owner->image(m_smallIcon);
            if (!icon.isNull())
                return icon;
        }
        break;
    case Qt::DisplayRole: {
        // Rows are one line high, as the first row's height sets them all: a
        // text with line breaks shows on that one line.
        if (column >= m_texts.size())
            return QVariant();
        QString text = textAt(column);
        if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
            text.replace(QLatin1String("\r\n"), QLatin1String(" "));
            text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        }
        return text;
    }
    case Qt::EditRole:
        return column < m_texts.size() ? QVariant(textAt(column)) : QVariant();
    default:
        break;
    }
    return QVariant();
}

// --- ColumnHeader -------------------------------------------------------------

bool ColumnHeader::isValid() const {
    return m_view && m_index >= 1 && m_index <= m_view->columnTotal();
}

QString ColumnHeader::Text() const {
    return isValid() ? m_view->m_model->caption(m_index - 1) : QString();
}

int ColumnHeader::Width() const {
    return isValid() ? PixelsToTwipsX(m_view->header()->sectionSize(m_index - 1)) : 0;
}

void ColumnHeader::SetWidth(double twips) {
    if (isValid())
        m_view->header()->resizeSection(m_index - 1, std::max(0, TwipsToPixelsX(twips)));
}

// --- ListItemsCollection --------------------------------------------------------

void ListItemsCollection::Clear() {
    m_view->clearRows();
}

ListItem* ListItemsCollection::Add(const QString& text, int icon, int smallIcon) {
    return m_view->addRow(text, icon, smallIcon);
}

int ListItemsCollection::Count() const {
    m_view->flushPendingRows();
    return static_cast<int>(m_view->m_model->rows().size());
}

ListItem* ListItemsCollection::Item(int index) const {
    m_view->flushPendingRows();
    return m_view->m_model->rowAt(index - 1);
}

// --- ColumnHeadersCollection ----------------------------------------------------

void ColumnHeadersCollection::Clear() {
    m_view->m_model->clearCaptions();
    // With no columns the list shows one empty column that takes no room.
    m_view->header()->resizeSection(0, 0);
}

ColumnHeader ColumnHeadersCollection::Add(const QString& caption, double widthTwips) {
    m_view->m_model->addCaption(caption);
    m_view->selectWholeRows();
    ColumnHeader header(m_view, m_view->columnTotal());
    header.SetWidth(widthTwips);
    return header;
}

int ColumnHeadersCollection::Count() const {
    return m_view->columnTotal();
}

// --- ListView -------------------------------------------------------------------

ListView::ListView(QWidget* parent) : QTreeView(parent), m_model(new ListModel(this)) {
    setHeader(new ListHeader(this));
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    // The list sorts itself, once per fill.
    setSortingEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
    header()->setMinimumSectionSize(0);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header()->resizeSection(0, 0);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListView::tellSelectedRow);
}

ListView::~ListView() {
    ListModel::deleteRows(m_pending);
}

int ListView::columnTotal() const {
    return m_model->captionCount();
}

ListItem* ListView::addRow(const QString& text, int icon, int smallIcon) {
    m_pending.push_back(new (m_model->rowSpace()) ListItem(this, text, icon, smallIcon));
    if (!m_flushQueued) {
        m_flushQueued = true;
        QMetaObject::invokeMethod(this, &ListView::flushPendingRows, Qt::QueuedConnection);
    }
    return m_pending.back();
}

void ListView::flushPendingRows() {
    m_flushQueued = false;
    if (m_pending.empty())
        return;
    // A fill into an empty sorted list is put in already in order, so the
    // view never reorders rows it has shown.
    const bool sortFirst = m_sorted && m_model->rows().empty();
    if (sortFirst)
        ListModel::sortByText(m_pending, m_sortKey, m_sortOrder == lvwDescending);
    m_model->appendRows(m_pending);
    if (m_sorted && !sortFirst)
        sortNow();
}

void ListView::clearRows() {
    ListModel::deleteRows(m_pending);
    ++m_generation;
    m_model->clearRows();
    m_model->releaseRowSpace();
    m_byteBlocks.clear();
    m_largeBytes.clear();
    m_byteBlockFree = 0;
    // The reset empties the selection without a word.
    tellSelectedRow();
}

void ListView::tellSelectedRow() {
    const QItemSelection selected = selectionModel()->selection();
    ListItem* now = selected.isEmpty() ? nullptr : m_model->rowAt(selected.first().top());
    if (now == m_toldSelected)
        return;
    m_toldSelected = now;
    emit SelectedItemChanged(now);
}

const char* ListView::keepBytes(QByteArrayView bytes) {
    constexpr size_t kBlock = 64 * 1024;
    const size_t size = static_cast<size_t>(bytes.size());
    if (size == 0)
        return "";
    if (size > kBlock / 4) {
        m_largeBytes.emplace_back(new char[size]);
        std::copy(bytes.begin(), bytes.end(), m_largeBytes.back().get());
        return m_largeBytes.back().get();
    }
    if (m_byteBlocks.empty() || m_byteBlockFree < size) {
        m_byteBlocks.emplace_back(new char[kBlock]);
        m_byteBlockFree = kBlock;
    }
    char* at = m_byteBlocks.back().get() + (kBlock - m_byteBlockFree);
    std::copy(bytes.begin(), bytes.end(), at);
    m_byteBlockFree -= size;
    return at;
}

void ListView::sortNow() {
    m_model->sortRows(m_sortKey, m_sortOrder == lvwDescending);
}

void ListView::SetSorted(bool sorted) {
    m_sorted = sorted;
    flushPendingRows();
    if (m_sorted)
        sortNow();
}

void ListView::SetSortKey(int column) {
    m_sortKey = std::max(0, column);
    flushPendingRows();
    if (m_sorted)
        sortNow();
}

void ListView::SetSortOrder(int order) {
    m_sortOrder = order == lvwDescending ? lvwDescending : lvwAscending;
    flushPendingRows();
    if (m_sorted)
        sortNow();
}

ListItem* ListView::SelectedItem() {
    flushPendingRows();
    const QItemSelection selected = selectionModel()->selection();
    return selected.isEmpty() ? nullptr : m_model->rowAt(selected.first().top());
}

void ListView::SetSelectedItem(ListItem* item) {
    flushPendingRows();
    if (!item || item->m_owner != this || item->m_row < 0) {
        clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(item->m_row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void ListView::SetImageList(const QList<QIcon>& images) {
    m_images = images;
    viewport()->update();
}

QIcon ListView::image(int index) const {
    return index >= 1 && index <= m_images.size() ? m_images.at(index - 1) : QIcon();
}

int ListView::Width() const {
    return PixelsToTwipsX(width());
}

void ListView::Move(double left, double top, double width, double height) {
    setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), std::max(0, TwipsToPixelsX(width)),
                std::max(0, TwipsToPixelsY(height)));
}

void ListView::selectWholeRows() {
    // A selected row shows selected across the columns added after it was
    // selected, as across its others.
    const QItemSelection selected = selectionModel()->selection();
    QItemSelection rows;
    const int lastColumn = m_model->columnCount() - 1;
    for (const QItemSelectionRange& range : selected)
        rows.select(m_model->index(range.top(), 0), m_model->index(range.bottom(), lastColumn));
    if (!rows.isEmpty())
        selectionModel()->select(rows, QItemSelectionModel::Select);
}

ListItem* ListView::rowAt(const QPoint& viewportPos) const {
    const QModelIndex index = indexAt(viewportPos);
    return index.isValid() ? m_model->rowAt(index.row()) : nullptr;
}

void ListView::mousePressEvent(QMouseEvent* event) {
    flushPendingRows();
    const unsigned generation = m_generation;
    // The row under the pointer is selected first, so the handlers act on it.
    QTreeView::mousePressEvent(event);
    const QPoint at = viewport()->mapTo(this, event->position().toPoint());
    emit MouseDown(ButtonMask(event->button()), ShiftMask(event->modifiers()), PixelsToTwipsX(at.x()),
                   PixelsToTwipsY(at.y()));
    if (event->button() != Qt::LeftButton || generation != m_generation)
        return;
    if (ListItem* item = rowAt(event->position().toPoint()))
        emit ItemClick(item);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
    flushPendingRows();
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}

void ListView::keyPressEvent(QKeyEvent* event) {
    flushPendingRows();
    const unsigned generation = m_generation;
    ListItem* before = SelectedItem();
    QTreeView::keyPressEvent(event);
    if (generation != m_generation)
        return;
    ListItem* after = SelectedItem();
    if (after && after != before)
        emit ItemClick(after);
}

void ListView::showEvent(QShowEvent* event) {
    flushPendingRows();
    QTreeView::showEvent(event);
}

QItemSelectionModel::SelectionFlags ListView::selectionCommand(const QModelIndex& index, const QEvent* event) const {
    // A click selects the row whatever keys are held: Ctrl, Alt and Shift
    // clicks are commands on the clicked row, never a way to unselect it.
    if (event && index.isValid()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
        default:
            break;
        }
    }
    return QTreeView::selectionCommand(index, event);
}

} // namespace platform

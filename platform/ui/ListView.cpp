#include "platform/ui/ListView.h"

#include "platform/RuntimeError.h"
#include "platform/Twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <vector>

namespace platform {

namespace {

int shiftStateOf(Qt::KeyboardModifiers m) {
    int shift = 0;
    if (m & Qt::ShiftModifier)
        shift |= ListView::vbShiftMask;
    if (m & Qt::ControlModifier)
        shift |= ListView::vbCtrlMask;
    if (m & Qt::AltModifier)
        shift |= ListView::vbAltMask;
    return shift;
}

int buttonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return ListView::vbLeftButton;
    case Qt::RightButton:
        return ListView::vbRightButton;
    case Qt::MiddleButton:
        return ListView::vbMiddleButton;
    default:
        return 0;
    }
}

void checkSubItemIndex(int index) {
    if (index < 1)
        throw RuntimeError::fromNumber(380, QStringLiteral("ListView"));
}

} // namespace

// --- ListItem ---------------------------------------------------------------

ListItem::ListItem(ListView* owner, const QString& text, int icon, int smallIcon)
    : QTreeWidgetItem(UserType), m_owner(owner), m_icon(icon), m_smallIcon(smallIcon) {
    m_texts.reserve(std::max(1, owner ? owner->columnTotal() : 1));
    m_texts.append(text);
}

QString ListItem::Text() const {
    return m_texts.value(0);
}

void ListItem::SetText(const QString& text) {
    setColumnText(0, text);
}

QString ListItem::SubItems(int index) const {
    checkSubItemIndex(index);
    return m_texts.value(index);
}

void ListItem::SetSubItems(int index, const QString& text) {
    checkSubItemIndex(index);
    setColumnText(index, text);
}

void ListItem::setColumnText(int column, const QString& text) {
    if (column >= m_texts.size())
        m_texts.resize(column + 1);
    if (m_texts[column] == text)
        return;
    m_texts[column] = text;
    if (treeWidget())
        emitDataChanged();
}

void ListItem::setData(int column, int role, const QVariant& value) {
    // Texts set through the tree's own calls land where the row keeps them.
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        setColumnText(column, value.toString());
    else
        QTreeWidgetItem::setData(column, role, value);
}

void ListItem::SetBold(bool bold) {
    if (m_bold == bold)
        return;
    m_bold = bold;
    emitDataChanged();
}

OleColor ListItem::ForeColor() const {
    return m_foreColor ? *m_foreColor : GetSysColor(COLOR_WINDOWTEXT);
}

void ListItem::SetForeColor(OleColor color) {
    m_foreColor = OleTranslateColor(color);
    emitDataChanged();
}

int ListItem::Index() const {
    if (m_owner)
        m_owner->flushPendingRows();
    QTreeWidget* view = treeWidget();
    return view ? view->indexOfTopLevelItem(const_cast<ListItem*>(this)) + 1 : 0;
}

QVariant ListItem::data(int column, int role) const {
    // Emphasis and icons are kept once per row and read here for every
    // column, so they also apply to columns added after the row.
    switch (role) {
    case Qt::FontRole:
        if (m_bold) {
            QFont font = m_owner ? m_owner->font() : QFont();
            font.setBold(true);
            return font;
        }
        break;
    case Qt::ForegroundRole:
        if (m_foreColor)
            return QBrush(ToQColor(*m_foreColor));
        break;
    case Qt::DecorationRole:
        if (column == 0 && m_owner && m_smallIcon > 0) {
            QIcon icon = m_owner->image(m_smallIcon);
            if (!icon.isNull())
                return icon;
        }
        break;
    case Qt::DisplayRole:
    case Qt::EditRole:
        return column >= 0 && column < m_texts.size() ? QVariant(m_texts.at(column)) : QVariant();
    default:
        break;
    }
    return QTreeWidgetItem::data(column, role);
}

bool ListItem::operator<(const QTreeWidgetItem& other) const {
    const int column = m_owner ? m_owner->SortKey() : 0;
    return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
}

// --- ColumnHeader -------------------------------------------------------------

bool ColumnHeader::isValid() const {
    return m_view && m_index >= 1 && m_index <= m_view->columnTotal();
}

QString ColumnHeader::Text() const {
    return isValid() ? m_view->headerItem()->text(m_index - 1) : QString();
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
    return m_view->topLevelItemCount();
}

ListItem* ListItemsCollection::Item(int index) const {
    m_view->flushPendingRows();
    if (index < 1 || index > m_view->topLevelItemCount())
        return nullptr;
    return static_cast<ListItem*>(m_view->topLevelItem(index - 1));
}

// --- ColumnHeadersCollection ----------------------------------------------------

void ColumnHeadersCollection::Clear() {
    m_view->setColumnTotal(0);
}

ColumnHeader ColumnHeadersCollection::Add(const QString& caption, double widthTwips) {
    const int column = m_view->columnTotal();
    m_view->setColumnTotal(column + 1);
    m_view->headerItem()->setText(column, caption);
    ColumnHeader header(m_view, column + 1);
    header.SetWidth(widthTwips);
    return header;
}

int ColumnHeadersCollection::Count() const {
    return m_view->columnTotal();
}

// --- ListView -------------------------------------------------------------------

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    // The list sorts itself, once per fill; Qt's own sorting would sort on
    // every row added.
    setSortingEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
    header()->setMinimumSectionSize(0);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setColumnTotal(0);
}

ListView::~ListView() {
    for (ListItem* item : m_pending)
        delete item;
}

ListItem* ListView::addRow(const QString& text, int icon, int smallIcon) {
    auto* item = new ListItem(this, text, icon, smallIcon);
    m_pending.push_back(item);
    if (!m_flushQueued) {
        m_flushQueued = true;
        QMetaObject::invokeMethod(this, &ListView::flushPendingRows, Qt::QueuedConnection);
    }
    return item;
}

void ListView::flushPendingRows() {
    m_flushQueued = false;
    if (m_pending.empty())
        return;
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(m_pending.size()));
    for (ListItem* item : m_pending)
        rows.append(item);
    m_pending.clear();
    // A fill into an empty sorted list is put in already in order, so the
    // tree never sorts rows it has shown.
    const bool sortFirst = m_sorted && topLevelItemCount() == 0;
    if (sortFirst)
        sortRows(rows);
    addTopLevelItems(rows);
    if (m_sorted && !sortFirst)
        sortNow();
}
void ListView::clearRows() {
    for (ListItem* item : m_pending)
        delete item;
    m_pending.clear();
    ++m_generation;
    clear();
}

void ListView::sortRows(QList<QTreeWidgetItem*>& rows) const {
    // Each row's key is read and case-folded once; comparing folded texts is
    // comparing the texts without regard to case.
    std::vector<std::pair<QString, QTreeWidgetItem*>> keyed;
    keyed.reserve(static_cast<size_t>(rows.size()));
    for (QTreeWidgetItem* row : rows)
        keyed.emplace_back(static_cast<ListItem*>(row)->m_texts.value(m_sortKey).toCaseFolded(), row);
    const bool descending = m_sortOrder == lvwDescending;
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
        return descending ? b.first < a.first : a.first < b.first;
    });
    for (qsizetype i = 0; i < rows.size(); ++i)
        rows[i] = keyed[static_cast<size_t>(i)].second;
}

void ListView::sortNow() {
    if (topLevelItemCount() < 2)
        return;
    QTreeWidgetItem* current = currentItem();
    const QList<QTreeWidgetItem*> selected = selectedItems();
    QList<QTreeWidgetItem*> rows = invisibleRootItem()->takeChildren();
    sortRows(rows);
    addTopLevelItems(rows);
    if (current)
        setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    for (QTreeWidgetItem* row : selected)
        row->setSelected(true);
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
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : static_cast<ListItem*>(selected.first());
}

void ListView::SetSelectedItem(ListItem* item) {
    flushPendingRows();
    if (!item || item->treeWidget() != this) {
        clearSelection();
        return;
    }
    setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollToItem(item);
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

void ListView::setColumnTotal(int columns) {
    m_columns = columns;
    // The tree needs one column to exist at all; with none, it is an empty,
    // captionless one.
    setColumnCount(std::max(1, columns));
    if (columns == 0) {
        headerItem()->setText(0, QString());
        header()->resizeSection(0, 0);
    }
}

void ListView::mousePressEvent(QMouseEvent* event) {
    flushPendingRows();
    const unsigned generation = m_generation;
    // The row under the pointer is selected first, so the handlers act on it.
    QTreeWidget::mousePressEvent(event);
    const QPoint at = viewport()->mapTo(this, event->position().toPoint());
    emit MouseDown(buttonOf(event->button()), shiftStateOf(event->modifiers()), PixelsToTwipsX(at.x()),
                   PixelsToTwipsY(at.y()));
    if (event->button() != Qt::LeftButton || generation != m_generation)
        return;
    if (auto* item = static_cast<ListItem*>(itemAt(event->position().toPoint())))
        emit ItemClick(item);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
    flushPendingRows();
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}

void ListView::keyPressEvent(QKeyEvent* event) {
    flushPendingRows();
    const unsigned generation = m_generation;
    ListItem* before = SelectedItem();
    QTreeWidget::keyPressEvent(event);
    if (generation != m_generation)
        return;
    ListItem* after = SelectedItem();
    if (after && after != before)
        emit ItemClick(after);
}

void ListView::showEvent(QShowEvent* event) {
    flushPendingRows();
    QTreeWidget::showEvent(event);
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
    return QTreeWidget::selectionCommand(index, event);
}

} // namespace platform

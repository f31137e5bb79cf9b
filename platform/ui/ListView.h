#pragma once

#include "platform/SysColors.h"

#include <QByteArrayView>
#include <QIcon>
#include <QList>
#include <QString>
#include <QTreeView>
#include <QVarLengthArray>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

class ListView;
class ListModel;

// One row of a ListView: its text is the first column, its sub-items the
// further columns. A row pointer stays valid until its list is cleared or
// destroyed; callers look rows up again after every fill.
class ListItem {
public:
    ListItem(const ListItem&) = delete;
    ListItem& operator=(const ListItem&) = delete;

    QString Text() const;
    void SetText(const QString& text);
    // Sub-items are numbered from 1 (the second column). A sub-item may be
    // written before its column exists; it shows once the column is added.
    // Numbers below 1 raise run-time error 380.
    QString SubItems(int index) const;
    void SetSubItems(int index, const QString& text);
    // A sub-item whose text is made from the source bytes only when it is first
    // read (shown, sorted on or asked for), so a fill of thousands of rows makes
    // the texts of the rows shown. The bytes are copied; `make` must give the
    // same text for the same bytes whenever it is called.
    using TextMaker = QString (*)(QByteArrayView source);
    void SetSubItemsLater(int index, QByteArrayView source, TextMaker make);
    // The text the list sorts the row by in a column (0 the first), in place
    // of the text shown there: a day shown as "dd-mm-yyyy" sorts by its date
    // when given as "yyyymmdd". A null text sorts by the text shown.
    void SetSortText(int column, const QString& text);
    // Hidden text that travels with the row.
    QString Tag() const { return m_tag; }
    void SetTag(const QString& tag) { m_tag = tag; }
    // Emphasis of the whole row.
    bool Bold() const { return m_bold; }
    void SetBold(bool bold);
    // The row's text colour; until set, the list's own text colour.
    OleColor ForeColor() const;
    void SetForeColor(OleColor color);
    // 1-based indexes into the list's image list; 0 is no icon. A report
    // list shows the small icon.
    int Icon() const { return m_icon; }
    int SmallIcon() const { return m_smallIcon; }
    // 1-based position of the row in its list, in the order shown.
    int Index() const;

private:
    friend class ListView;
    friend class ListModel;
    ListItem(ListView* owner, const QString& text, int icon, int smallIcon);
    ~ListItem() = default;
    void setColumnText(int column, const QString& text);
    // A column's text, made now if it was set to be made later.
    const QString& textAt(int column) const;
    // What the list sorts by in a column.
    const QString& sortTextAt(int column) const;
    void makeLaterText(int column) const;
    // What the list shows of the row in a column, by item-data role.
    QVariant data(int column, int role) const;

    struct LaterText {
        int column;
        const char* source; // in the owner's byte store; null for a null source
        qsizetype size;
        TextMaker make;
    };

    ListView* m_owner;
    // The row's texts by column; the organiser's lists have at most six, so
    // a row is one allocation. A column still in m_later holds an empty text.
    mutable QVarLengthArray<QString, 6> m_texts;
    mutable QVarLengthArray<LaterText, 2> m_later;
    // By column; a null text or none at all sorts by the text shown.
    QVarLengthArray<QString, 1> m_sortTexts;
    QString m_tag;
    std::optional<OleColor> m_foreColor;
    int m_icon = 0;
    int m_smallIcon = 0;
    // 0-based place in the list once put in; -1 while it waits to go in.
    int m_row = -1;
    bool m_bold = false;
};

// A column of a ListView, reached through ColumnHeaders().Item(i).
class ColumnHeader {
public:
    ColumnHeader(ListView* view, int index) : m_view(view), m_index(index) {}
    bool isValid() const;
    int Index() const { return m_index; } // from 1
    QString Text() const;
    // Width in twips.
    int Width() const;
    void SetWidth(double twips);

private:
    ListView* m_view;
    int m_index;
};

// The list's rows, as ListItems.
class ListItemsCollection {
public:
    explicit ListItemsCollection(ListView* view) : m_view(view) {}
    // Empties the list.
    void Clear();
    // Appends a row (sorted into place when the list is sorted) and returns it.
    ListItem* Add(const QString& text = QString(), int icon = 0, int smallIcon = 0);
    int Count() const;
    // The row at a 1-based position, or null outside the list.
    ListItem* Item(int index) const;

private:
    ListView* m_view;
};

// The list's columns, as ColumnHeaders.
class ColumnHeadersCollection {
public:
    explicit ColumnHeadersCollection(ListView* view) : m_view(view) {}
    // Removes every column; the rows keep their sub-items.
    void Clear();
    // Appends a column with a caption and a width in twips.
    ColumnHeader Add(const QString& caption, double widthTwips = 1440);
    int Count() const;
    ColumnHeader Item(int index) const { return ColumnHeader(m_view, index); }

private:
    ListView* m_view;
};

// A list of rows in report style, with the operations the organiser's lists
// rely on: rows with text, sub-items, icons, bold and colour and a hidden tag;
// captioned columns; the selected row; sorting on one column's text; and the
// events DblClick, MouseDown and ItemClick.
//
// Rows added one after another are put into the list together, once the
// caller is done or reads the list, so a fill of many rows is laid out and
// sorted once rather than once per row.
class ListView : public QTreeView {
    Q_OBJECT
public:
    enum SortOrderKind { lvwAscending = 0, lvwDescending = 1 };
    // Button and Shift values of MouseDown.
    enum MouseButton { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
    enum ShiftState { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;

    ListItemsCollection ListItems() { return ListItemsCollection(this); }
    ColumnHeadersCollection ColumnHeaders() { return ColumnHeadersCollection(this); }

    // The selected row, or null when none is selected.
    ListItem* SelectedItem();
    // Selects a row (null clears the selection) without raising ItemClick.
    void SetSelectedItem(ListItem* item);

    // Sorting by the text of column SortKey (0 the first column), or the
    // row's sort text there, compared without regard to letter case; rows of
    // equal text keep their order.
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);
    int SortKey() const { return m_sortKey; }
    void SetSortKey(int column);
    int SortOrder() const { return m_sortOrder; }
    void SetSortOrder(int order);

    // The images rows refer to by their 1-based icon indexes.
    void SetImageList(const QList<QIcon>& images);
    QIcon image(int index) const;

    // Geometry in twips, within the parent.
    int Width() const;
    void Move(double left, double top, double width, double height);

    // Puts rows added since the last fill into the list now. Every operation
    // above that reads rows does this first.
    void flushPendingRows();

signals:
    void DblClick();
    // Button 1 left, 2 right, 4 middle; Shift a sum of 1 Shift, 2 Ctrl, 4 Alt;
    // x and y in twips within the list. The row under the pointer is already
    // selected when it is raised.
    void MouseDown(int button, int shift, int x, int y);
    // A row was clicked with the left button or selected from the keyboard.
    void ItemClick(platform::ListItem* item);
    // Another row is selected now, or none (null), however that came about:
    // a click of either button, a key, code, or a clear of the list.
    void SelectedItemChanged(platform::ListItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    friend class ListItem;
    friend class ListItemsCollection;
    friend class ColumnHeadersCollection;
    friend class ColumnHeader;

    ListItem* addRow(const QString& text, int icon, int smallIcon);
    void clearRows();
    // A copy of bytes that lives as long as the rows: one store for a whole
    // fill rather than an allocation per text.
    const char* keepBytes(QByteArrayView bytes);
    void sortNow();
    ListItem* rowAt(const QPoint& viewportPos) const;
    void selectWholeRows();
    int columnTotal() const;
    // Raises SelectedItemChanged when the selected row is not the one last told.
    void tellSelectedRow();

    ListModel* m_model;
    // Rows added but not yet in the list; the list owns them.
    std::vector<ListItem*> m_pending;
    std::vector<std::unique_ptr<char[]>> m_byteBlocks; // the last one is being filled
    std::vector<std::unique_ptr<char[]>> m_largeBytes;
    size_t m_byteBlockFree = 0;
    bool m_flushQueued = false;
    // Counts the list's clears, so an event handler that refilled the list is
    // noticed before a row of the old fill is reported.
    unsigned m_generation = 0;
    // The selected row last told; only compared, as it may be gone.
    const ListItem* m_toldSelected = nullptr;
    bool m_sorted = false;
    int m_sortKey = 0;
    int m_sortOrder = lvwAscending;
    QList<QIcon> m_images;
};

} // namespace platform

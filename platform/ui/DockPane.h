#pragma once

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <cstdint>

class QDockWidget;
class QMainWindow;
class QWidget;

namespace platform {

// The docking pane that carries forms at the sides of the main window. The
// main window makes three calls at its load: Attach (its own handle), AddForm
// (once per form) and ApplyLayout. Docked forms neither float nor close.
//
// Two events let the main window keep its panes as it wants them:
// ItemStateChange when a docked item left its place (hidden or made to float
// by the toolkit), whose handler puts it back with DockItem; and PaneSizing
// when a pane is laid out, whose handler sets the pane's Size.
class DockPane : public QObject {
    Q_OBJECT
public:
    enum DockSide { dockLeft = 1, dockRight = 2, dockTop = 3, dockBottom = 4 };

    // What the item event carries: the docked item's key.
    struct DockedItem {
        QString Key;
    };
    // What the pane event carries: the pane's key and its Size in twips (its
    // width at the left and right, its height at the top and bottom). The
    // handler's Size is the one laid out.
    struct Pane {
        QString Key;
        double Size = 0;
    };

    explicit DockPane(QObject* parent = nullptr);

    // The window the panes dock into, by its handle; false when the handle
    // names no main window.
    bool Attach(int32_t windowHandle);
    // Adds a form to dock, under a key. The state and options the caller
    // passes are accepted as given: every pane here docks fixed.
    void AddForm(QWidget* form, int side, int state, const QString& key, int options);
    // Docks every added form into the window and lays the panes out.
    void ApplyLayout();
    // Puts the item of this key back into its docked place and shows it.
    void DockItem(const QString& key);

    // The dock that carries a key's form, once laid out.
    QDockWidget* dockOf(const QString& key) const;

signals:
    void ItemStateChange(platform::DockPane::DockedItem& item);
    void PaneSizing(platform::DockPane::Pane& pane);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> form;
        int side = dockLeft;
        QPointer<QDockWidget> dock;
    };
    void layOut(const QString& key, Entry& entry);
    void reportLeftPlace(const QString& key);

    QPointer<QMainWindow> m_host;
    QMap<QString, Entry> m_entries;
    QStringList m_order;
    QSet<QString> m_placed;
    QSet<QString> m_reportsDue;
    bool m_layingOut = false;
};

} // namespace platform

#include "platform/ui/Menus.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

namespace platform {

namespace {

const char* const kIndexProperty = "menuIndex";

void nameEntry(QAction* entry, const QString& name, int index) {
    entry->setObjectName(name);
    entry->setProperty(kIndexProperty, index);
}

} // namespace

QAction* AddMenuEntry(QMenu* menu, const QString& caption, const QString& name, int index) {
    QAction* entry = nullptr;
    if (caption == QLatin1String("-")) {
        entry = menu->addSeparator();
    } else {
        entry = menu->addAction(caption);
        // Choosing a checked entry would flip its mark before the handler
        // runs; put it back, so only code changes it.
        QObject::connect(entry, &QAction::triggered, entry, [entry](bool checked) {
            if (entry->isCheckable())
                entry->setChecked(!checked);
        });
    }
    nameEntry(entry, name, index);
    return entry;
}

QMenu* AddSubmenu(QMenu* menu, const QString& caption, const QString& name) {
    auto* sub = new QMenu(caption, menu);
    sub->setObjectName(name);
    menu->addMenu(sub);
    nameEntry(sub->menuAction(), name, -1);
    return sub;
}

QAction* FindMenuEntry(const QObject* root, const QString& name, int index) {
    if (!root)
        return nullptr;
    if (auto* self = qobject_cast<const QMenu*>(root); self && self->objectName() == name && index < 0)
        return self->menuAction();
    const auto entries = root->findChildren<QAction*>(name);
    for (QAction* entry : entries)
        if (MenuEntryIndex(entry) == index)
            return entry;
    return nullptr;
}

QList<QAction*> MenuEntryArray(const QObject* root, const QString& name) {
    QList<QAction*> array;
    if (!root)
        return array;
    for (QAction* entry : root->findChildren<QAction*>(name))
        if (MenuEntryIndex(entry) >= 0)
            array.append(entry);
    std::stable_sort(array.begin(), array.end(),
                     [](const QAction* a, const QAction* b) { return MenuEntryIndex(a) < MenuEntryIndex(b); });
    return array;
}

int MenuEntryIndex(const QAction* entry) {
    if (!entry)
        return -1;
    const QVariant v = entry->property(kIndexProperty);
    return v.isValid() ? v.toInt() : -1;
}

bool MenuChecked(const QAction* entry) {
    return entry && entry->isCheckable() && entry->isChecked();
}

void SetMenuChecked(QAction* entry, bool checked) {
    if (!entry)
        return;
    // Only a checked entry is checkable, so unchecked entries draw no empty box.
    entry->setCheckable(checked);
    entry->setChecked(checked);
}

PopupMenus::~PopupMenus() = default;

PopupMenus& PopupMenus::current() {
    static PopupMenus real;
    return inUseOr(real);
}

void PopupMenus::popup(QMenu* menu, const QPoint& screenPos) {
    menu->exec(screenPos);
}

void PopupMenu(QMenu* menu, const QPoint& screenPos) {
    if (menu)
        PopupMenus::current().popup(menu, screenPos);
}

} // namespace platform

#include "controls/ControlsAccessible.h"

#include "controls/ABar.h"
#include "controls/XPButton.h"
#include "platform/Text.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QKeySequence>
#include <QPair>
#include <QPointer>
#include <QScrollBar>
#include <QWindow>
#include <utility>

namespace {

class XPButtonAccessible : public QAccessibleWidget {
public:
    explicit XPButtonAccessible(XPButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        // Left alone, a button in a frame would be named after the frame.
        if (t == QAccessible::Name)
            return widget()->accessibleName().isEmpty() ? platform::WithoutAccessKeys(button()->Caption()) : widget()->accessibleName();
        if (t == QAccessible::Accelerator && !button()->AccessKeys().isEmpty())
            return QKeySequence(Qt::ALT | static_cast<Qt::Key>(button()->AccessKeys().at(0).toUpper().unicode()))
                .toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& name) override {
        if (name == pressAction())
            button()->Press();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    XPButton* button() const { return static_cast<XPButton*>(widget()); }
};

} // namespace

// A group of the explorer bar (Item 0: its header and what it holds) or one of
// its items, named by its place in the bar.
class ExplorerBarElementAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ExplorerBarElementAccessible(ExplorerBar* bar, int group, int item) : m_bar(bar), m_spot{group, item} {}

    bool isValid() const override {
        const ExplorerGroup* g = m_bar ? m_bar->GroupAt(m_spot.Group) : nullptr;
        return g && m_spot.Item >= 0 && m_spot.Item <= g->ItemCount;
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_bar ? m_bar->window()->windowHandle() : nullptr; }

    QAccessibleInterface* parent() const override;
    int childCount() const override { return static_cast<int>(items().size()); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto all = items();
        for (size_t i = 0; i < all.size(); ++i)
            if (this->child(static_cast<int>(i)) == child)
                return static_cast<int>(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* c = child(i); c && c->rect().contains(x, y))
                return c;
        return nullptr;
    }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid())
            return QString();
        const ExplorerGroup* g = m_bar->GroupAt(m_spot.Group);
        return platform::WithoutAccessKeys(m_spot.Item == 0 ? g->Caption : g->Items[m_spot.Item].Caption);
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid())
            return QRect();
        QRect r = m_bar->SpotRect(m_spot).toQRect();
        const ExplorerGroup* g = m_bar->GroupAt(m_spot.Group);
        // A group covers its header and, while it is open, its body.
        if (m_spot.Item == 0 && g->Expanded)
            r.setHeight(r.height() + g->BodyHeight);
        return QRect(m_bar->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::Role role() const override { return m_spot.Item == 0 ? QAccessible::Grouping : QAccessible::Link; }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.focused = m_bar->hasFocus() && m_bar->m_Focus == m_spot;
        s.invisible = !m_bar->isVisible();
        s.offscreen = !m_bar->rect().intersects(m_bar->SpotRect(m_spot).toQRect());
        if (m_spot.Item == 0) {
            const bool open = m_bar->GroupAt(m_spot.Group)->Expanded;
            s.expandable = true;
            s.expanded = open;
            s.collapsed = !open;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& name) override {
        if (!isValid())
            return;
        if (name == pressAction()) {
            m_bar->PressSpot(m_spot);
        } else if (name == setFocusAction()) {
            m_bar->setFocus(Qt::OtherFocusReason);
            m_bar->MoveFocusTo(m_spot);
        }
    }

private:
    // The items a group shows: none while it is closed.
    std::vector<ExplorerBar::Spot> items() const {
        std::vector<ExplorerBar::Spot> out;
        if (!m_bar || m_spot.Item != 0)
            return out;
        for (const ExplorerBar::Spot& s : m_bar->Spots())
            if (s.Group == m_spot.Group && s.Item != 0)
                out.push_back(s);
        return out;
    }

    QPointer<ExplorerBar> m_bar;
    ExplorerBar::Spot m_spot;
};

// The bar: its shown groups first, in reading order, then the controls it
// holds (the calendar, the scroll bar) as any widget's children.
class ExplorerBarAccessible : public QAccessibleWidget {
public:
    explicit ExplorerBarAccessible(ExplorerBar* bar) : QAccessibleWidget(bar, QAccessible::Pane) {}
    ~ExplorerBarAccessible() override {
        for (QAccessible::Id id : std::as_const(m_elements))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return static_cast<int>(groups().size() + widgets().size()); }

    QAccessibleInterface* child(int index) const override {
        const auto shown = groups();
        if (index < 0)
            return nullptr;
        if (index < static_cast<int>(shown.size()))
            return element(shown[static_cast<size_t>(index)], 0);
        const QList<QWidget*> held = widgets();
        index -= static_cast<int>(shown.size());
        return index < held.size() ? QAccessible::queryAccessibleInterface(held.at(index)) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* c = this->child(i); c && c->rect().contains(x, y))
                return c;
        return nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        const ExplorerBar& b = bar();
        if (!b.hasFocus() || !b.Shown(b.m_Focus))
            return nullptr;
        return element(b.m_Focus.Group, b.m_Focus.Item);
    }

    // The interface of one group or item, made once and kept while the bar lives.
    QAccessibleInterface* element(int group, int item) const {
        const QPair<int, int> key(group, item);
        auto found = m_elements.constFind(key);
        if (found != m_elements.cend())
            return QAccessible::accessibleInterface(*found);
        auto* made = new ExplorerBarElementAccessible(const_cast<ExplorerBar*>(&bar()), group, item);
        m_elements.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

private:
    const ExplorerBar& bar() const { return *static_cast<const ExplorerBar*>(widget()); }

    std::vector<int> groups() const {
        std::vector<int> out;
        for (const ExplorerBar::Spot& s : bar().Spots())
            if (s.Item == 0)
                out.push_back(s.Group);
        return out;
    }

    QList<QWidget*> widgets() const {
        QList<QWidget*> out;
        for (QWidget* w : bar().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!w->isWindow() && !w->isHidden())
                out.append(w);
        return out;
    }

    mutable QHash<QPair<int, int>, QAccessible::Id> m_elements;
};

QAccessibleInterface* ExplorerBarElementAccessible::parent() const {
    if (!m_bar)
        return nullptr;
    auto* bar = static_cast<ExplorerBarAccessible*>(QAccessible::queryAccessibleInterface(m_bar.data()));
    return m_spot.Item == 0 ? bar : bar->element(m_spot.Group, 0);
}

QAccessibleInterface* ExplorerBarElementAccessible::child(int index) const {
    const auto all = items();
    if (index < 0 || index >= static_cast<int>(all.size()) || !m_bar)
        return nullptr;
    auto* bar = static_cast<ExplorerBarAccessible*>(QAccessible::queryAccessibleInterface(m_bar.data()));
    return bar->element(m_spot.Group, all[static_cast<size_t>(index)].Item);
}

namespace {

QAccessibleInterface* controlsFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("XPButton"))
        return new XPButtonAccessible(static_cast<XPButton*>(object));
    if (className == QLatin1String("ExplorerBar"))
        return new ExplorerBarAccessible(static_cast<ExplorerBar*>(object));
    return nullptr;
}

} // namespace

void InstallControlsAccessibility() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(controlsFactory);
}

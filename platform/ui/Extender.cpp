#include "platform/ui/Extender.h"

#include <QEvent>

namespace platform {

namespace {

// Keeps a control docked: watches its parent's size and its own.
class AlignKeeper : public QObject {
public:
    AlignKeeper(QWidget* control, int align) : QObject(control), m_control(control), m_align(align) {
        setObjectName(QStringLiteral("platform_align"));
        control->installEventFilter(this);
        watchParent();
        place();
    }
    int align() const { return m_align; }
    void setAlign(int align) {
        m_align = align;
        place();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_control && event->type() == QEvent::ParentChange) {
            watchParent();
            place();
        } else if (event->type() == QEvent::Resize) {
            place();
        }
        return false;
    }

private:
    void watchParent() {
        if (m_parent)
            m_parent->removeEventFilter(this);
        m_parent = m_control->parentWidget();
        if (m_parent)
            m_parent->installEventFilter(this);
    }

    void place() {
        QWidget* parent = m_control->parentWidget();
        if (!parent || m_placing)
            return;
        m_placing = true;
        const QSize host = parent->size();
        const QSize own = m_control->size();
        switch (m_align) {
        case vbAlignTop:
            m_control->setGeometry(0, 0, host.width(), own.height());
            break;
        case vbAlignBottom:
            m_control->setGeometry(0, host.height() - own.height(), host.width(), own.height());
            break;
        case vbAlignLeft:
            m_control->setGeometry(0, 0, own.width(), host.height());
            break;
        case vbAlignRight:
            m_control->setGeometry(host.width() - own.width(), 0, own.width(), host.height());
            break;
        default:
            break;
        }
        m_placing = false;
    }

    QWidget* m_control;
    QWidget* m_parent = nullptr;
    int m_align;
    bool m_placing = false;
};

AlignKeeper* keeperOf(const QWidget* control) {
    return control ? control->findChild<AlignKeeper*>(QStringLiteral("platform_align"), Qt::FindDirectChildrenOnly)
                   : nullptr;
}

} // namespace

void SetAlign(QWidget* control, int align) {
    if (!control)
        return;
    if (AlignKeeper* keeper = keeperOf(control))
        keeper->setAlign(align);
    else
        new AlignKeeper(control, align);
}

int Align(const QWidget* control) {
    AlignKeeper* keeper = keeperOf(control);
    return keeper ? keeper->align() : vbAlignNone;
}

} // namespace platform

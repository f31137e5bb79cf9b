#include "platform/ui/StatusBar.h"

#include "platform/Twips.h"

#include <QStringList>
#include <utility>

namespace platform {

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
}

int StatusBar::AddPanel(const QString& text, double widthTwips, PanelAutoSize autoSize) {
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    const int width = std::max(0, TwipsToPixelsX(widthTwips));
    if (autoSize == sbrNoAutoSize)
        label->setFixedWidth(width);
    else
        label->setMinimumWidth(width);
    // A sprung panel takes the room the others leave.
    addPermanentWidget(label, autoSize == sbrSpring ? 1 : 0);
    m_panels.append(label);
    nameAfterPanels();
    return static_cast<int>(m_panels.size());
}

QLabel* StatusBar::panel(int index) const {
    return index >= 1 && index <= m_panels.size() ? m_panels.at(index - 1) : nullptr;
}

QString StatusBar::PanelText(int index) const {
    QLabel* p = panel(index);
    return p ? p->text() : QString();
}

void StatusBar::SetPanelText(int index, const QString& text) {
    if (QLabel* p = panel(index)) {
        p->setText(text);
        nameAfterPanels();
    }
}

void StatusBar::nameAfterPanels() {
    QStringList shown;
    for (const QLabel* p : std::as_const(m_panels))
        if (!p->text().isEmpty())
            shown << p->text();
    setAccessibleName(shown.join(QStringLiteral(", ")));
}

} // namespace platform

#pragma once

#include <QLabel>
#include <QList>
#include <QStatusBar>
#include <QString>

namespace platform {

// A status bar of text panels, laid out once by its form. Screen readers
// know it by what its panels show.
class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    // How a panel takes its width: as set, sharing what the others leave, or
    // from its text (at least as set).
    enum PanelAutoSize { sbrNoAutoSize = 0, sbrSpring = 1, sbrContents = 2 };

    explicit StatusBar(QWidget* parent = nullptr);

    // Appends a panel; returns its 1-based index. The width is in twips.
    int AddPanel(const QString& text, double widthTwips = 1440, PanelAutoSize autoSize = sbrNoAutoSize);
    int PanelCount() const { return static_cast<int>(m_panels.size()); }
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);

private:
    QLabel* panel(int index) const;
    void nameAfterPanels();

    QList<QLabel*> m_panels;
};

} // namespace platform

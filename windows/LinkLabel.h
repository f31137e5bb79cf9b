#pragma once

#include <QLabel>

// A caption that acts as a link: drawn underlined in the link colour, it
// takes the focus by Tab, and a click, Enter or Space on it raises Click.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& text, QWidget* parent);

    // Does what a click does.
    void Press() { emit Click(); }

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

#pragma once

#include <QFont>
#include <QPixmap>
#include <QWidget>

class QLabel;

// The header strip at the top of the Today view and the record list: a fixed
// picture with a caption label that its resize keeps centred across.
class HeaderStrip : public QWidget {
    Q_OBJECT
public:
    explicit HeaderStrip(QWidget* parent = nullptr);

    QLabel* label() const { return m_label; }
    // Sets the caption, centred in the label.
    void setCaption(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A strip narrower than its caption, as the Today view's in a small
    // window, shows it in a smaller type, so it is not cut at both ends.
    void fitCaption();

    QFont m_captionFont;
    // The picture comes in two files: its left part, as wide as a strip
    // usually is, and the rest, read the first time the strip is wider.
    QPixmap m_picture;
    QPixmap m_wider;
    bool m_widerRead = false;
    QLabel* m_label;
};

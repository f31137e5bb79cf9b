#pragma once

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
    QPixmap m_picture;
    QLabel* m_label;
};
